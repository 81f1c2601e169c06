// The runtime's message table: the standard text of every trappable error.
#include <algorithm>
#include <cstddef>
#include <iterator>

#include "rt/error.h"

namespace rt {

namespace {

struct Message {
    long number;
    const char* text;
};

// Ordered by number, so a look-up is a binary search.
constexpr Message kMessages[] = {
    {3, "Return without GoSub"},
    {5, "Invalid procedure call or argument"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {10, "This array is fixed or temporarily locked"},
    {11, "Division by zero"},
    {13, "Type mismatch"},
    {14, "Out of string space"},
    {16, "Expression too complex"},
    {17, "Can't perform requested operation"},
    {18, "User interrupt occurred"},
    {20, "Resume without error"},
    {28, "Out of stack space"},
    {35, "Sub or Function not defined"},
    {47, "Too many DLL application clients"},
    {48, "Error in loading DLL"},
    {49, "Bad DLL calling convention"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File already open"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {59, "Bad record length"},
    {61, "Disk full"},
    {62, "Input past end of file"},
    {63, "Bad record number"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {70, "Permission denied"},
    {71, "Disk not ready"},
    {74, "Can't rename with different drive"},
    {75, "Path/File access error"},
    {76, "Path not found"},
    {91, "Object variable or With block variable not set"},
    {92, "For loop not initialized"},
    {93, "Invalid pattern string"},
    {94, "Invalid use of Null"},
    {96, "Unable to sink events of object because the object is already firing events to the "
         "maximum number of event receivers that it supports"},
    {97, "Can not call friend function on object which is not an instance of defining class"},
    {98, "A property or method call cannot include a reference to a private object, either as "
         "an argument or as a return value"},
    {298, "System DLL could not be loaded"},
    {320, "Can't use character device names in specified file names"},
    {321, "Invalid file format"},
    {322, "Can't create necessary temporary file"},
    {325, "Invalid format in resource file"},
    {327, "Data value named not found"},
    {328, "Illegal parameter; can't write arrays"},
    {335, "Could not access system registry"},
    {336, "Component not correctly registered"},
    {337, "Component not found"},
    {338, "Component did not run correctly"},
    {360, "Object already loaded"},
    {361, "Can't load or unload this object"},
    {363, "Control specified not found"},
    {364, "Object was unloaded"},
    {365, "Unable to unload within this context"},
    {368, "The specified file is out of date. This program requires a later version"},
    {371, "The specified object can't be used as an owner form for Show"},
    {380, "Invalid property value"},
    {381, "Invalid property array index"},
    {382, "Set not supported at runtime"},
    {383, "Set not supported (read-only property)"},
    {385, "Need property array index"},
    {387, "Set not permitted"},
    {393, "Get not supported at runtime"},
    {394, "Get not supported (write-only property)"},
    {400, "Form already displayed; can't show modally"},
    {402, "Code must close topmost modal form first"},
    {419, "Permission to use object denied"},
    {422, "Property not found"},
    {423, "Property or method not found"},
    {424, "Object required"},
    {425, "Invalid object use"},
    {429, "ActiveX component can't create object"},
    {430, "Class does not support Automation or does not support expected interface"},
    {432, "File name or class name not found during Automation operation"},
    {438, "Object doesn't support this property or method"},
    {440, "Automation error"},
    {442, "Connection to type library or object library for remote process has been lost. "
          "Press OK for dialog to remove reference."},
    {443, "Automation object does not have a default value"},
    {445, "Object doesn't support this action"},
    {446, "Object doesn't support named arguments"},
    {447, "Object doesn't support current locale setting"},
    {448, "Named argument not found"},
    {449, "Argument not optional"},
    {450, "Wrong number of arguments or invalid property assignment"},
    {451, "Property let procedure not defined and property get procedure did not return an "
          "object"},
    {452, "Invalid ordinal"},
    {453, "Specified DLL function not found"},
    {454, "Code resource not found"},
    {455, "Code resource lock error"},
    {457, "This key is already associated with an element of this collection"},
    {458, "Variable uses an Automation type not supported in Visual Basic"},
    {459, "Object or class does not support the set of events"},
    {460, "Invalid clipboard format"},
    {461, "Method or data member not found"},
    {462, "The remote server machine does not exist or is unavailable"},
    {463, "Class not registered on local machine"},
    {480, "Can't create AutoRedraw image"},
    {481, "Invalid picture"},
    {482, "Printer error"},
    {483, "Printer driver does not support specified property"},
    {484, "Problem getting printer information from the system. Make sure the printer is set "
          "up correctly"},
    {485, "Invalid picture type"},
    {486, "Can't print form image to this type of printer"},
    {520, "Can't empty Clipboard"},
    {521, "Can't open Clipboard"},
    {735, "Can't save file to TEMP"},
    {744, "Search text not found"},
    {746, "Replacements too long"},
    {31001, "Out of memory"},
    {31004, "No object"},
    {31018, "Class is not set"},
    {31027, "Unable to activate object"},
    {31032, "Unable to create embedded object"},
    {31036, "Error saving to file"},
    {31037, "Error loading from file"},
};

} // namespace

std::string ErrorText(long number) {
    if (number == 0) return {}; // no error: no message
    auto it = std::lower_bound(std::begin(kMessages), std::end(kMessages), number,
                               [](const Message& m, long n) { return m.number < n; });
    if (it != std::end(kMessages) && it->number == number) return it->text;
    return kGenericErrorText;
}

size_t ErrorTableSize() { return std::size(kMessages); }

} // namespace rt
