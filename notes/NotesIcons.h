#pragma once
// The tool-bar pictures of the notes windows. Copying and the scripture search use the reading
// window's own pictures, so the same command looks the same in both places.

#include <QIcon>

namespace orvane {

enum class NotesIcon {
    Save,      // accept the note: a green tick
    Cancel,    // give up the changes: a turning-back arrow
    Delete,    // delete the note: a sheet struck through in red
    Copy,      // the reading window's copy picture
    Find,      // the reading window's magnifier
    WebSearch, // a globe
};

QIcon NotesToolIcon(NotesIcon which);

} // namespace orvane
