// The user's editor for map information and config files.
#include "app/main_window.h"

namespace vexal {

bool TfrmVexal::EditorExists() {
    if (services.fs.fileExists(editorPath)) return true;
    platform::OpenFileRequest request;
    request.filter = "EXE files (*.exe)|*.exe";
    request.title = "Select your Default Editor";
    if (const auto files = services.dialogs.openFile(request)) editorPath = files->front();
    config.doc().writeString("Paths", "editor", editorPath);
    config.updateFile();
    return true;
}

}  // namespace vexal
