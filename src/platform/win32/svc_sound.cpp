#include "platform/win32/svc_sound.h"
#include "platform/win32/lazy_api.h"

#include <windows.h>
// windows.h must come before the other system headers.
#include <mmsystem.h>

#include "platform/win32/svc_texts.h"
#include "util/error.h"

namespace vexal::platform::win32 {

Win32Sound::~Win32Sound() { close(); }

void Win32Sound::play(const std::string& path, bool wait) {
    close();
    // No "type" in the command: MCI picks the device from the file's extension,
    // so WAV, MID and MP3 all work through the same call.
    const std::string open = "open \"" + path + "\" alias vexalsnd";
    const MCIERROR error = lazy::mciSendStringA(open.c_str(), nullptr, 0, nullptr);
    if (error != 0) {
        char text[256] = {};
        if (!lazy::mciGetErrorStringA(error, text, sizeof text) || text[0] == '\0') throw Error(texts::kSoundFailed);
        throw Error(text);
    }
    // A device that opens but cannot play (no sound card) stays silent: a missing
    // click is no reason to interrupt the user.
    lazy::mciSendStringA(wait ? "play vexalsnd wait" : "play vexalsnd", nullptr, 0, nullptr);
}

void Win32Sound::close() { lazy::mciSendStringA("close vexalsnd", nullptr, 0, nullptr); }

}  // namespace vexal::platform::win32
