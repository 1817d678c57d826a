#include "markup/globals.h"
