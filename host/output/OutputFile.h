// OutputFile: writing a file that `orlo` produces (report CSV, HTML page) in one go.
//
// The content is made in memory before the file is opened, so a failure while making it
// never touches the file.
#pragma once

#include <string>
#include <string_view>

namespace orlo::host {

// Writes `content` to `file`, replacing it; false with `error` set ("cannot write 'FILE':
// reason") when it fails.
bool WriteOutputFile(const std::string& file, std::string_view content, std::string& error);

}  // namespace orlo::host
