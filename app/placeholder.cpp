// the shell
