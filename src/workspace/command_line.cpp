#include "workspace/command_line.h"

#include <QFileInfo>

CommandLine::CommandLine(const QStringList& arguments)
{
    QStringList rest = arguments.mid(1);
    m_opensPictureFolder = !rest.isEmpty() && rest.first() == QLatin1String("open");
    if (m_opensPictureFolder)
        rest.removeFirst();
    for (const QString& name : rest) {
        if (!name.isEmpty())
            m_pictureFiles << QFileInfo(name).absoluteFilePath();
    }
}
