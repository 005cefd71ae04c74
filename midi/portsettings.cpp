#include "midi/portsettings.h"

void SetPortName(char (&field)[200], const char* name) { lstrcpynA(field, name ? name : "", int(sizeof(field))); }
