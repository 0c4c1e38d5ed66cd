#pragma once

#include <QString>
#include <sys/types.h>
#include <unistd.h>

namespace qel::app {

// The launcher's configuration file "PM000.INI" with private-profile semantics: sections
// and keys compared without regard to case, a missing key reads as the empty text, a
// write replaces the key's line or adds it, and every other line stays as it was.
class IniFile {
public:
    static const QString kFileName; // "PM000.INI"
    static const QString kOptions;  // "Options"
    // A configuration file is a few hundred bytes; anything past this is not one.
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    explicit IniFile(QString path) : m_path(std::move(path)) {}

    // The folder that stands for the system folder: $QEL_CONFIG_DIR, else
    // $XDG_CONFIG_HOME/qel, else ~/.config/qel.
    static QString configFolder();
    static IniFile standard(); // configFolder() + "/PM000.INI"

    const QString& path() const { return m_path; }
    bool exists() const;
    // Why the configuration may not be believed, in Spanish; empty when it may. It names the
    // user the module acts for and the database it opens, so it must be `user`'s own: the
    // file and the folder holding it owned by `user` and writable by no one else (the folders
    // above are not looked at), the file a regular file and not a link. Its content must be a
    // text file of at most kMaxBytes, UTF-8 or Windows-1252, with LF or CR-LF line ends and a
    // section [Options].
    QString refusal(uid_t user = ::geteuid()) const;

    // The value trimmed, cut to 255 characters as the profile buffer does; "" when missing.
    QString read(const QString& section, const QString& key) const;
    // False, and nothing written, for a text that would not read back as the one key it is
    // (see canWrite) or when the file cannot be written. A new file is its owner's only. The
    // file is replaced whole (a new file renamed over it), never written through a link: a
    // PM000.INI that is a symbolic link, or no regular file, is not written at all.
    bool write(const QString& section, const QString& key, const QString& value) const;
    // Whether the key can be written without creating another line: no line break of any
    // kind, no '=' in the key, no ']' in the section.
    static bool canWrite(const QString& section, const QString& key, const QString& value);

private:
    QString m_path;
};

} // namespace qel::app
