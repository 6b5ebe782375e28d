#include "state.h"

HINSTANCE appInstance;
TargetSelection targetSelection;
