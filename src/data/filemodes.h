#pragma once

#include <QString>

// The embedded database holds the password hashes and the patients: only its owner may read it.
namespace wb::FileModes {

// Creates `dir` (and its parents) when missing and makes `dir` itself readable by its owner only.
void ownerOnlyFolder(const QString& dir);
// Creates the database file empty, readable and writable by its owner only, when it is missing.
void createOwnerOnlyFile(const QString& path);
// Takes every right of others away from the database file and its companions (-wal, -shm,
// -journal) where they exist.
void ownerOnlyDatabase(const QString& path);
// The permission bits of a file or folder (for the checks and the tests); -1 when it is missing.
int mode(const QString& path);

} // namespace wb::FileModes
