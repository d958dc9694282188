#include "engine/stack/rpn_entry_state.h"

int imoderpn_status = -1;
double factor = 0;
