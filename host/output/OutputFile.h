// OutputFile: the one way `orlo` writes a file it produces (report CSV, HTML pages, and
// any later output file).
//
// The content is made in memory first; it then goes to a temporary file beside the target,
// which is flushed to the disk and renamed over the target (ReplaceFileAtomically). A
// failure at any step (a full disk, a file-size limit, a missing folder, no permission)
// leaves the old file byte for byte as it was and no temporary file behind.
#pragma once

#include <string>
#include <string_view>

namespace orlo::host {

// Writes `content` to `file`, replacing it; false with `error` set ("cannot write 'FILE':
// reason") when it fails.
bool WriteOutputFile(const std::string& file, std::string_view content, std::string& error);

}  // namespace orlo::host
