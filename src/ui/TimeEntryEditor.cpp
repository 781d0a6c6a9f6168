#include "ui/TimeEntryEditor.h"
