#include "core/global.h"

GlobalState Global;
