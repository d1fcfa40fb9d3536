#include "ApplicationFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

} // namespace

class TestApplicationFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void buildTreeKeepsItsFolder();
    void installedUsesAFolderOfTheUser();
    void usersFilesAreKept();
    void withoutInstalledCopiesStartsFresh();
    void unwritableExecutableFolder();

private:
    QString path(const QString &name) const { return m_root->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_root;
};

void TestApplicationFolder::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    // An installation: bin/ without temp/, share/zarn/ with the copies.
    QDir().mkpath(path(QStringLiteral("usr/bin")));
    write(path(QStringLiteral("usr/share/zarn/temp/NotDone.txt")), "0\r\n");
    write(path(QStringLiteral("usr/share/zarn/temp/Done.txt")), "1\r\n");
    write(path(QStringLiteral("usr/share/zarn/temp/temp.txt")), "0\r\n");
    write(path(QStringLiteral("usr/share/zarn/Options.dat")), "0,0,\"/usr/bin/javac\"\r\n");
}

void TestApplicationFolder::buildTreeKeepsItsFolder()
{
    write(path(QStringLiteral("build/zarn/temp/temp.txt")), "0\r\n");
    QCOMPARE(chooseApplicationFolder(path(QStringLiteral("build/zarn")),
                                     path(QStringLiteral("usr/share/zarn")),
                                     path(QStringLiteral("home/.local/share/zarn"))),
             path(QStringLiteral("build/zarn")));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("home"))));
}

void TestApplicationFolder::installedUsesAFolderOfTheUser()
{
    const QString user = path(QStringLiteral("home/.local/share/zarn"));
    QCOMPARE(chooseApplicationFolder(path(QStringLiteral("usr/bin")), path(QStringLiteral("usr/share/zarn")),
                                     user),
             user);
    QCOMPARE(read(user + QStringLiteral("/Options.dat")), QByteArray("0,0,\"/usr/bin/javac\"\r\n"));
    QCOMPARE(read(user + QStringLiteral("/temp/Done.txt")), QByteArray("1\r\n"));
    QCOMPARE(read(user + QStringLiteral("/temp/NotDone.txt")), QByteArray("0\r\n"));
    QCOMPARE(read(user + QStringLiteral("/temp/temp.txt")), QByteArray("0\r\n"));
    QVERIFY(QFileInfo(user + QStringLiteral("/Options.dat")).isWritable());
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("usr/bin/temp"))));
}

void TestApplicationFolder::usersFilesAreKept()
{
    const QString user = path(QStringLiteral("home/.local/share/zarn"));
    write(user + QStringLiteral("/Options.dat"), "4,2,\"/opt/jdk/bin/javac\"\r\n");
    write(user + QStringLiteral("/temp/Done.txt"), "1\r\n");
    chooseApplicationFolder(path(QStringLiteral("usr/bin")), path(QStringLiteral("usr/share/zarn")), user);
    QCOMPARE(read(user + QStringLiteral("/Options.dat")), QByteArray("4,2,\"/opt/jdk/bin/javac\"\r\n"));
    QCOMPARE(read(user + QStringLiteral("/temp/NotDone.txt")),
             QByteArray("0\r\n")); // a missing one comes back
}

void TestApplicationFolder::withoutInstalledCopiesStartsFresh()
{
    const QString user = path(QStringLiteral("home/.local/share/zarn"));
    chooseApplicationFolder(path(QStringLiteral("usr/bin")), path(QStringLiteral("nowhere")), user);
    QCOMPARE(read(user + QStringLiteral("/Options.dat")), QByteArray("4,2,\"\"\r\n"));
    QCOMPARE(read(user + QStringLiteral("/temp/Done.txt")), QByteArray("1\r\n"));
}

void TestApplicationFolder::unwritableExecutableFolder()
{
    if (::geteuid() == 0)
        QSKIP("root writes every folder");
    write(path(QStringLiteral("opt/zarn/temp/temp.txt")), "0\r\n");
    QFile::setPermissions(path(QStringLiteral("opt/zarn")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString user = path(QStringLiteral("home/.local/share/zarn"));
    QCOMPARE(chooseApplicationFolder(path(QStringLiteral("opt/zarn")), path(QStringLiteral("usr/share/zarn")),
                                     user),
             user);
    QFile::setPermissions(path(QStringLiteral("opt/zarn")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QTEST_GUILESS_MAIN(TestApplicationFolder)
#include "tst_applicationfolder.moc"
