#include "skin/frame/bsSkinForm.h"
