#include "skin/frame/bsSkinFormObjects.h"
