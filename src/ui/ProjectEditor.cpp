#include "ui/ProjectEditor.h"
