#include "app/LocaleNames.h"
