// The program's entry lies in the class library; this pulls in the global
// objects, which live in the shell library.
#include "app/vantorapp.h"

extern CVantorApp* const vantorApplication;
CVantorApp* const vantorApplication = &theApp;
