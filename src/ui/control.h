#pragma once
// The window's controls as plain C++ objects: the state the program reads and
// writes and the events it handles. The Win32 backend mirrors every change into
// a real control through ControlObserver; tests drive the same objects headlessly.
// One header per family of controls; this one brings them all.
#include "ui/buttons.h"
#include "ui/control_base.h"
#include "ui/edits.h"
#include "ui/list_view.h"
#include "ui/lists.h"
#include "ui/picture_box.h"
#include "ui/statics.h"
