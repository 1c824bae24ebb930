#pragma once

class QLineEdit;

// The password box of the users register. A new password must follow the password rules, and a
// password about to be saved is protected (hashed) before the saving transaction opens, so that no
// other desk waits for the hash on the write lock.
namespace wb::userpassword {

// Refuses (with a message and the focus on the box) a new password that is too short.
bool acceptable(QLineEdit* box);
// The box's password, ready for a save: an empty box passes unless a password is `required` (no
// login is made that nobody can log in with); a typed one must be acceptable, and is then prepared.
bool readyForSave(QLineEdit* box, bool required);

} // namespace wb::userpassword
