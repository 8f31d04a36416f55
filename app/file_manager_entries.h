#pragma once

#include <QString>

namespace tandrel {

// The two file-manager entries that open a clicked folder in Tandrel: a KDE
// service menu (kio/servicemenus/tandrel.desktop) and a GNOME Files script
// (nautilus/scripts/Tandrel), both under the user's data folder and both
// starting `executable` with the folder as its one argument.
class FileManagerEntries {
public:
    FileManagerEntries(const QString& dataHome, const QString& executable);

    // $XDG_DATA_HOME, or ~/.local/share when it is not set.
    static QString defaultDataHome();

    QString serviceMenuPath() const;
    QString scriptPath() const;

    // True exactly when both entries exist as executable files (the file
    // managers ignore them otherwise).
    bool present() const;
    // Writes both afresh, pointing to the executable. Throws
    // RegistryException "Could not write to registry." when a folder or file
    // cannot be made; an entry written before the failure stays.
    void write() const;
    // Removes both; entries that are not there count as removed. Throws
    // RegistryException "Could not delete from registry." when one stays.
    void remove() const;

    static QString serviceMenuText(const QString& executable);
    static QString scriptText(const QString& executable);

private:
    QString dataHome_;
    QString executable_;
};

} // namespace tandrel
