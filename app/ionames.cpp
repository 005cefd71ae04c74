#include "app/ionames.h"

// No view asks for these names yet, so none is ever loaded and none written.
IoNameStore::IoNameStore() = default;
void IoNameStore::SaveIoNames() {}
