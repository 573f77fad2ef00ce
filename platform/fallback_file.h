#pragma once

#include <string>

namespace varnel {

// Makes `path` an empty regular file that only its owner, this user, can read
// and write. An existing file is taken over only when it is a plain file of
// this user with no other name; a link, a pipe, a device, a folder or anyone
// else's file is left alone. Throws PlatformError (an errno and a text naming
// the file) when that cannot be done.
void CreatePrivateFile(const std::string& path);

}  // namespace varnel
