// The forms runtime layer: everything the programs ask of it.
#pragma once

#include "rt/commondialog.h"
#include "rt/convert.h"
#include "rt/error.h"
#include "rt/font.h"
#include "rt/forms.h"
#include "rt/handles.h"
#include "rt/interaction.h"
#include "rt/picture.h"
#include "rt/printer.h"
#include "rt/resources.h"
#include "rt/runguard.h"
#include "rt/safefile.h"
#include "rt/services.h"
