// Combo-box initial data that travels beside a dialog template (resource type
// RT_DIALOG_INIT, named like the template): the entries a list shows from the
// start, kept with the template instead of in code.
#ifndef VODRIX_DIALOG_INIT_DATA_H
#define VODRIX_DIALOG_INIT_DATA_H

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

struct DialogInitEntry {
    int controlId;
    std::string text;
};

// Reads the table. False when it is malformed: an entry that runs past the
// end, a code other than the add-string code, or no closing zero word.
bool ParseDialogInitData(const unsigned char *data, std::size_t size, std::vector<DialogInitEntry> &entries);

// Adds the entries of the table named templateId in module to the combo boxes
// of dialog, in table order. Returns the number of strings added, 0 when the
// template has no table, -1 when the table is malformed or a control refuses
// a string.
int ApplyDialogInitData(HWND dialog, HINSTANCE module, int templateId);

#endif
