// Forms and controls: every control kind and the form that holds them.
#pragma once

#include "button.h"
#include "combobox.h"
#include "control.h"
#include "filelists.h"
#include "form.h"
#include "frame.h"
#include "image.h"
#include "label.h"
#include "listbox.h"
#include "listcontrol.h"
#include "menu.h"
#include "picturebox.h"
#include "richtext.h"
#include "textbox.h"
