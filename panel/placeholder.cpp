// the panel engine
