#pragma once

#include <QString>

namespace qel::app {

// The files and folders the programs create hold a company's tax data: only their owner may
// read them (files 0600, folders 0700). Folders and files that already exist keep their
// permissions.

// From now on the process creates files 0600 and folders 0700 (the process's file mode mask).
void restrictNewFilesToOwner();

// A write past the file-size limit the system sets for the process (ulimit -f) fails with its
// error (EFBIG) and its message, instead of the signal SIGXFSZ ending the process silently.
void failWritesPastTheSizeLimit();

// Creates the folder and the missing folders above it, each readable by its owner only.
bool makePrivateFolder(const QString& folder);

// Makes a file the program has just created readable and writable by its owner only.
bool makePrivateFile(const QString& path);

} // namespace qel::app
