#include "skin/frame/bsSkinFormLayout.h"
