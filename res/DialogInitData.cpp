#include "DialogInitData.h"

#include <cstring>

#include "resource.h"

namespace {

unsigned ReadWord(const unsigned char *p) { return p[0] | (p[1] << 8); }

unsigned long ReadDword(const unsigned char *p) { return ReadWord(p) | (static_cast<unsigned long>(ReadWord(p + 2)) << 16); }

}  // namespace

bool ParseDialogInitData(const unsigned char *data, std::size_t size, std::vector<DialogInitEntry> &entries) {
    entries.clear();
    const std::size_t header = 8;  // control id, code, 32-bit length
    std::size_t pos = 0;
    while (pos + 2 <= size) {
        const unsigned id = ReadWord(data + pos);
        if (id == 0) return true;
        if (size - pos < header || ReadWord(data + pos + 2) != DLGINIT_ADD_STRING) return false;
        const unsigned long length = ReadDword(data + pos + 4);
        pos += header;
        if (length > size - pos) return false;
        const char *text = reinterpret_cast<const char *>(data + pos);
        entries.push_back({static_cast<int>(id), std::string(text, strnlen(text, length))});
        pos += length;
    }
    return false;
}

int ApplyDialogInitData(HWND dialog, HINSTANCE module, int templateId) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(RT_DIALOG_INIT));
    if (!found) return 0;
    HGLOBAL loaded = LoadResource(module, found);
    const void *data = loaded ? LockResource(loaded) : nullptr;
    std::vector<DialogInitEntry> entries;
    if (!data || !ParseDialogInitData(static_cast<const unsigned char *>(data), SizeofResource(module, found), entries))
        return -1;
    for (const DialogInitEntry &entry : entries) {
        HWND combo = GetDlgItem(dialog, entry.controlId);
        if (!combo || SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str())) < 0)
            return -1;
    }
    return static_cast<int>(entries.size());
}
