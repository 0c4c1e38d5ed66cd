#pragma once

#include <QString>

namespace qel::app {

// The launcher's configuration file "PM000.INI" with private-profile semantics: sections
// and keys compared without regard to case, a missing key reads as the empty text, a
// write replaces the key's line or adds it, and every other line stays as it was.
class IniFile {
public:
    static const QString kFileName; // "PM000.INI"
    static const QString kOptions;  // "Options"

    explicit IniFile(QString path) : m_path(std::move(path)) {}

    // The folder that stands for the system folder: $QEL_CONFIG_DIR, else
    // $XDG_CONFIG_HOME/qel, else ~/.config/qel.
    static QString configFolder();
    static IniFile standard(); // configFolder() + "/PM000.INI"

    const QString& path() const { return m_path; }
    bool exists() const;
    // The value trimmed, cut to 255 characters as the profile buffer does; "" when missing.
    QString read(const QString& section, const QString& key) const;
    // False, and nothing written, for a text that would not read back as the one key it is
    // (see canWrite) or when the file cannot be written. A new file is its owner's only.
    bool write(const QString& section, const QString& key, const QString& value) const;
    // Whether the key can be written without creating another line: no line break of any
    // kind, no '=' in the key, no ']' in the section.
    static bool canWrite(const QString& section, const QString& key, const QString& value);

private:
    QString m_path;
};

} // namespace qel::app
