// Forms and controls: every control kind and the form that holds them.
#pragma once

#include "button.h"
#include "checkbox.h"
#include "control.h"
#include "form.h"
#include "frame.h"
#include "image.h"
#include "label.h"
#include "listbox.h"
#include "menu.h"
#include "optionbutton.h"
#include "picturebox.h"
#include "richtext.h"
#include "scrollbar.h"
#include "shape.h"
#include "textbox.h"
#include "timer.h"
