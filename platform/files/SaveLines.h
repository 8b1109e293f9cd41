#pragma once
// Saving a list of lines as a text file in the system's ANSI code page, replacing the file whole.
#include "platform/files/FileWriter.h"

#include <string>
#include <vector>

namespace zt {

// The file's bytes: every line followed by CR LF, converted once into codePage without flags; the
// UTF-8 byte-order mark leads when codePage is 65001.
std::string EncodeLines(const std::vector<std::wstring>& lines, unsigned codePage);

// Writes the lines in the code page of GetACP. The new text goes to a temporary file beside the target
// and takes the target's place only once complete; an existing target becomes "<path>.bak" in the same
// step (ReplaceFileW), replacing an older backup. A failure leaves the target, the backup and the folder
// as they were, but for the temporary files of earlier saves that no process holds open: every save
// removes those first. The folder is never created.
// Raises EFCreateError "Cannot create file "<path>". <system text>" when the file cannot be created or
// replaced (a read-only, hidden or system file: access denied), naming the backup instead when it is the
// backup that cannot be replaced, and EWriteError "Stream write error" when writing fails.
void SaveLines(const std::wstring& path, const std::vector<std::wstring>& lines);
void SaveLines(const std::wstring& path, const std::vector<std::wstring>& lines, const FileWriter& writer);

} // namespace zt
