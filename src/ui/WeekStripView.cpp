#include "ui/WeekStripView.h"
