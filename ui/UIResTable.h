#pragma once
// The table of the UI image registry's slots: which images under "./data_ui" each slot holds.
// The registry loads from it and the placeholder generator writes the same files from it.

#include <string>
#include <vector>

constexpr int UIRES_SLOT_COUNT = 85;

enum class UIResKind {
    Button,  // four frames: normal, pressed, highlighted, disabled (a null name leaves it null)
    Frames,  // the names appended in order
};

// One row adds images to one slot. A numbered row (first <= last) appends names[0], a format
// with one integer conversion, for every number from first to last; other rows use the names up
// to the first null (buttons: all four places, nulls included).
struct UIResRow {
    int slot;
    UIResKind kind;
    const char*
        set;  // null: no set ("%s/%s"); "" is the empty set ("%s/%s/%s" with nothing between)
    const char* names[11];
    int first = 0;
    int last = -1;
};

extern const std::vector<UIResRow> g_UIResTable;

// The base folder of the UI images.
constexpr const char* UIRES_FOLDER = "./data_ui";

// The file names of a row in load order (buttons: four entries, null for none).
std::vector<const char*> UIResRowNames(const UIResRow& row, std::vector<std::string>& storage);
// The path of an image: "folder/set/file", or "folder/file" without a set.
std::string UIResPath(const char* folder, const char* set, const char* file);
