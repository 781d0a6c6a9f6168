#include "ui/ProjectsView.h"
