#pragma once

#include <QString>
#include <QStringList>

namespace tandrel {

// The source folder named on the command line: the first plain argument
// after the program's name. Options (anything that begins with "-") are not
// ours; QApplication has already taken out those it knows. After "--" every
// argument is plain, so a folder whose name begins with "-" can be given. A
// relative folder
// is made absolute against the current folder, so the stored setting still
// names the same folder when the program is next started from elsewhere.
// Empty when there is none.
QString commandLineFolder(const QStringList& arguments);

// True when the options (the arguments before "--") include "--version":
// the program then prints its name and version and opens no window.
bool commandLineAsksForVersion(const QStringList& arguments);

} // namespace tandrel
