#include "storage/codepage.h"
#include "storage/datafile.h"
#include "storage/failuremessage.h"
#include "storage/fileerror.h"
#include "storage/recordfile.h"
#include "storage/systemerror.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;
using storage::FileError;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void setContents(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

template <typename Run>
std::optional<FileError> errorOf(Run run)
{
    try {
        run();
    } catch (const FileError &error) {
        return error;
    }
    return std::nullopt;
}

QByteArray allBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    return bytes;
}

// Every character a text may hold: the code page's, but the double quote and NUL.
QString everyTextCharacter()
{
    return storage::cp1251::decode(allBytes()).remove(u'"').remove(QChar(0));
}

// A pupil's subjects, as the program writes them.
const QStringList bulgarian = {
    u"Български език и литература"_s, u"Математика"_s, u"История и цивилизации"_s,
    u"Химия и опазване на околната среда"_s, u"Час на класа „ЧК“"_s, u"Физика 7“, 8“ клас"_s,
    u"Ёж, йод, ъгъл — №5"_s, QString(),
};

QByteArray lines(const QStringList &texts, QByteArray (*encode)(const QString &))
{
    QByteArray bytes;
    for (const QString &text : texts)
        bytes += '"' + encode(text) + "\"\r\n";
    return bytes;
}
QByteArray windows1251(const QString &text) { return storage::cp1251::encode(text); }
QByteArray utf8(const QString &text) { return text.toUtf8(); }

} // namespace

class TestStorage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void codePageRoundTripsEveryByte();
    void codePageEncodes_data();
    void codePageEncodes();
    void cyrillicIsNeverUtf8();

    void writerBytes_data();
    void writerBytes();
    void roundTrip_data();
    void roundTrip();
    void reader_data();
    void reader();

    void readErrors_data();
    void readErrors();
    void openErrors_data();
    void openErrors();
    void handleInUse();
    void systemErrors_data();
    void systemErrors();

    void saveOverDirectory_data();
    void saveOverDirectory();
    void abandonedWriterKeepsOldFile();
    void pairSaveKeepsPermissions();

    void dataFilePath();
    void userDataFolder_data();
    void userDataFolder();

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_path;
};

void TestStorage::init()
{
    m_dir.emplace();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(u"Predmeti.dat"_s);
}

void TestStorage::codePageRoundTripsEveryByte()
{
    const QString text = storage::cp1251::decode(allBytes());
    QCOMPARE(text.size(), 256);
    QCOMPARE(text.at(0x98), QChar(0x0098));
    QCOMPARE(storage::cp1251::encode(text), allBytes());
}

void TestStorage::codePageEncodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("decodesBack");

    QTest::newRow("А") << u"А"_s << QByteArray("\xC0") << true;
    QTest::newRow("я") << u"я"_s << QByteArray("\xFF") << true;
    QTest::newRow("Ё") << u"Ё"_s << QByteArray("\xA8") << true;
    QTest::newRow("ё") << u"ё"_s << QByteArray("\xB8") << true;
    QTest::newRow("№") << u"№"_s << QByteArray("\xB9") << true;
    QTest::newRow("€") << u"€"_s << QByteArray("\x88") << true;
    QTest::newRow("ASCII") << u"Ab 1,\""_s << QByteArray("Ab 1,\"") << true;
    QTest::newRow("CJK") << u"a中b"_s << QByteArray("a?b") << false;
    QTest::newRow("surrogate pair is one ?") << u"a😀b"_s << QByteArray("a?b") << false;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?") << false;
    QTest::newRow("C1 control") << QString(QChar(0x0081)) << QByteArray("?") << false;
}

void TestStorage::codePageEncodes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, decodesBack);

    QCOMPARE(storage::cp1251::encode(text), bytes);
    if (decodesBack)
        QCOMPARE(storage::cp1251::decode(bytes), text);
}

// Two letters А..я in a row are a lead byte and no continuation byte: never UTF-8, so a
// Windows-1251 file of words never reads as UTF-8.
void TestStorage::cyrillicIsNeverUtf8()
{
    for (char16_t first = u'А'; first <= u'я'; ++first) {
        for (char16_t second = u'А'; second <= u'я'; ++second) {
            const QByteArray pair = storage::cp1251::encode(QString(QChar(first)) + QChar(second));
            QVERIFY2(!pair.isValidUtf8(), pair.toHex().constData());
        }
    }
}

void TestStorage::writerBytes_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("letters") << QStringList{u"abc"_s} << QByteArray("\"abc\"\r\n");
    QTest::newRow("empty") << QStringList{QString()} << QByteArray("\"\"\r\n");
    QTest::newRow("comma and blank") << QStringList{u"a, b"_s} << QByteArray("\"a, b\"\r\n");
    QTest::newRow("blanks around") << QStringList{u"  spaced  "_s}
                                   << QByteArray("\"  spaced  \"\r\n");
    QTest::newRow("Cyrillic") << QStringList{u"Математика"_s}
                              << QByteArray("\"\xCC\xE0\xF2\xE5\xEC\xE0\xF2\xE8\xEA\xE0\"\r\n");
    QTest::newRow("unrepresentable") << QStringList{u"x😀y"_s} << QByteArray("\"x?y\"\r\n");
    QTest::newRow("NUL becomes ?") << QStringList{u"a"_s + QChar(0) + u"b"_s} << QByteArray("\"a?b\"\r\n");
    QTest::newRow("bare quotes typographic") << QStringList{u"a \"b\", \"c"_s}
                                             << QByteArray("\"a \x84" "b\x93, \x84" "c\"\r\n");
    QTest::newRow("three lines") << QStringList{u"abc"_s, QString(), u"a, b"_s}
                                 << QByteArray("\"abc\"\r\n\"\"\r\n\"a, b\"\r\n");
    QTest::newRow("no texts") << QStringList() << QByteArray();
}

void TestStorage::writerBytes()
{
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, bytes);

    storage::writeRecords(m_path, 1, texts);
    QCOMPARE(contents(m_path), bytes);
}

void TestStorage::roundTrip_data()
{
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("comma and empty") << QStringList{u"abc"_s, QString(), u"a, b"_s};
    QTest::newRow("blanks") << QStringList{u"  spaced  "_s, u" "_s, u"a  "_s};
    QTest::newRow("Cyrillic") << QStringList{u"Математика"_s, u"Ёж №5"_s};
    QTest::newRow("line ends inside") << QStringList{u"a\r\nb"_s, u"\r"_s, u"\n"_s};
    QTest::newRow("every character") << QStringList{everyTextCharacter(), u"x"_s};
}

void TestStorage::roundTrip()
{
    QFETCH(QStringList, texts);

    storage::writeRecords(m_path, 1, texts);
    QCOMPARE(storage::readRecords(m_path, 1, int(texts.size())), texts);
}

void TestStorage::reader_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");

    const QStringList ab{u"a"_s, u"b"_s};
    QTest::newRow("eight on one line")
        << QByteArray("\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\"\r\n")
        << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s};
    QTest::newRow("CR LF") << QByteArray("\"a\"\r\n\"b\"\r\n") << ab;
    QTest::newRow("lone CR") << QByteArray("\"a\"\r\"b\"\r") << ab;
    QTest::newRow("lone LF") << QByteArray("\"a\"\n\"b\"\n") << ab;
    QTest::newRow("no final line end") << QByteArray("\"a\"\r\n\"b\"") << ab;
    QTest::newRow("extra fields ignored") << QByteArray("\"a\"\r\n\"b\"\r\n\"c\"\r\n") << ab;
    QTest::newRow("empty line") << QByteArray("\"a\"\r\n\r\n\"c\"\r\n")
                                << QStringList{u"a"_s, QString(), u"c"_s};
    QTest::newRow("two quotes") << QByteArray("\"\"\r\n\"b\"\r\n") << QStringList{QString(), u"b"_s};
    QTest::newRow("two commas") << QByteArray("\"a\",,\"c\"\r\n")
                                << QStringList{u"a"_s, QString(), u"c"_s};
    QTest::newRow("blanks around quotes") << QByteArray("   \"a\"  \r\n  \"b\" ,\"c\"\r\n")
                                          << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("unquoted") << QByteArray("  abc  , d e \r\nf") << QStringList{u"abc"_s, u"d e"_s, u"f"_s};
    QTest::newRow("quoted over two lines") << QByteArray("\"a\r\nb\"\r\n\"c\"")
                                           << QStringList{u"a\r\nb"_s, u"c"_s};
    QTest::newRow("unclosed quote runs to the end") << QByteArray("\"a\r\n") << QStringList{u"a\r\n"_s};
    // `Английски "А"` written bare, as by hand: the following fields keep their places.
    QTest::newRow("inner quotes")
        << QByteArray("\"\xC0\xED\xE3\xEB\xE8\xE9\xF1\xEA\xE8 \"\xC0\"\"\r\n\"x\"\r\n\"y\"\r\n")
        << QStringList{u"Английски "_s, u"x"_s, u"y"_s};
    QTest::newRow("every byte") << '"' + QByteArray(allBytes()).remove(0x22, 1).remove(0, 1) + '"'
                                << QStringList{everyTextCharacter()};
    QTest::newRow("64 KiB field") << '"' + QByteArray(64 * 1024, 'x') + "\"\r\n"
                                  << QStringList{QString(64 * 1024, u'x')};

    // The same texts in each encoding an editor may leave.
    QTest::newRow("Windows-1251") << lines(bulgarian, windows1251) << bulgarian;
    QTest::newRow("UTF-8") << lines(bulgarian, utf8) << bulgarian;
    QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + lines(bulgarian, utf8) << bulgarian;
    QTest::newRow("byte-order mark, ASCII") << QByteArray("\xEF\xBB\xBF\"a\"\r\n") << QStringList{u"a"_s};
    QTest::newRow("UTF-8 the code page lacks")
        << lines({u"ѝ Ѝ é"_s, u"a😀b"_s}, utf8) << QStringList{u"и И e"_s, u"a?b"_s};
}

void TestStorage::reader()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);

    setContents(m_path, bytes);
    QCOMPARE(storage::readRecords(m_path, 1, int(fields.size())), fields);
}

void TestStorage::readErrors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("number");

    QTest::newRow("empty file") << QByteArray() << 1 << int(FileError::InputPastEnd);
    QTest::newRow("short file") << QByteArray("\"a\"\r\n\"b\"\r\n") << 3 << int(FileError::InputPastEnd);
    QTest::newRow("quoted field over 64 KiB")
        << '"' + QByteArray(64 * 1024 + 1, 'x') + "\"\r\n" << 1 << int(FileError::BrokenFile);
    QTest::newRow("unquoted line over 64 KiB")
        << QByteArray(1024 * 1024, 'x') << 1 << int(FileError::BrokenFile);
    QTest::newRow("junk after a quote over 64 KiB")
        << "\"a\"" + QByteArray(1024 * 1024, 'x') << 1 << int(FileError::BrokenFile);
    QTest::newRow("NUL byte") << QByteArray("\"a\"\r\n\"b\0\"\r\n", 9) << 2 << int(FileError::BrokenFile);
}

void TestStorage::readErrors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    QFETCH(int, number);

    setContents(m_path, bytes);
    const auto error = errorOf([&] { storage::readRecords(m_path, 1, count); });
    QVERIFY(error);
    QCOMPARE(int(error->number()), number);
    QCOMPARE(error->path(), m_path);
}

void TestStorage::openErrors_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("number");

    QTest::newRow("missing") << u"missing"_s << int(FileError::FileNotFound);
    QTest::newRow("directory") << u"directory"_s << int(FileError::PathFileAccess);
#ifdef Q_OS_UNIX
    QTest::newRow("named pipe") << u"fifo"_s << int(FileError::PathFileAccess);
#endif
}

void TestStorage::openErrors()
{
    QFETCH(QString, kind);
    QFETCH(int, number);

    if (kind == u"directory")
        QVERIFY(QDir().mkdir(m_path));
#ifdef Q_OS_UNIX
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
#endif
    const auto error = errorOf([&] { storage::RecordReader reader(m_path, 1); });
    QVERIFY(error);
    QCOMPARE(int(error->number()), number);
    QCOMPARE(error->path(), m_path);
    QVERIFY(QString::fromUtf8(error->what()).contains(m_path));
    QVERIFY(!error->text().isEmpty());
}

void TestStorage::handleInUse()
{
    setContents(m_path, "\"a\"\r\n");
    // A failed open must not keep its handle.
    QVERIFY(errorOf([&] { storage::RecordReader(m_path + u'x', 2); }));

    storage::RecordReader reader(m_path, 2);
    const auto error = errorOf([&] { storage::RecordWriter(m_path, 2); });
    QVERIFY(error);
    QCOMPARE(error->number(), FileError::FileAlreadyOpen);
    QCOMPARE(storage::readRecords(m_path, 3, 1), QStringList{u"a"_s});

    reader.close();
    storage::writeRecords(m_path, 2, {u"b"_s});
    QCOMPARE(contents(m_path), QByteArray("\"b\"\r\n"));
}

// The reason and the advice a pupil reads for each error code the system may give.
void TestStorage::systemErrors_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("advice");

#ifdef Q_OS_WIN
    QTest::newRow("access denied") << 5 << int(FileError::PermissionDenied) << u"Нямате право"_s;
    QTest::newRow("sharing violation") << 32 << int(FileError::PermissionDenied) << u"Затворете"_s;
    QTest::newRow("disk full") << 112 << int(FileError::DiskFull) << u"Освободете място"_s;
    QTest::newRow("write protect") << 19 << int(FileError::PathFileAccess) << u"не позволява запис"_s;
    QTest::newRow("name too long") << 206 << int(FileError::PathFileAccess) << u"по-кратък път"_s;
    QTest::newRow("file not found") << 2 << int(FileError::FileNotFound) << u"съществува"_s;
    QTest::newRow("path not found") << 3 << int(FileError::PathNotFound) << u"съществува"_s;
#else
    QTest::newRow("EACCES") << EACCES << int(FileError::PermissionDenied) << u"Нямате право"_s;
    QTest::newRow("EPERM") << EPERM << int(FileError::PermissionDenied) << u"Нямате право"_s;
    QTest::newRow("EBUSY") << EBUSY << int(FileError::PermissionDenied) << u"Затворете"_s;
    QTest::newRow("ENOSPC") << ENOSPC << int(FileError::DiskFull) << u"Освободете място"_s;
    QTest::newRow("EDQUOT") << EDQUOT << int(FileError::DiskFull) << u"Освободете място"_s;
    QTest::newRow("EFBIG") << EFBIG << int(FileError::DiskFull) << u"Освободете място"_s;
    QTest::newRow("EROFS") << EROFS << int(FileError::PathFileAccess) << u"не позволява запис"_s;
    QTest::newRow("EISDIR") << EISDIR << int(FileError::PathFileAccess) << u"на мястото на файла"_s;
    QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << int(FileError::PathFileAccess) << u"по-кратък път"_s;
    QTest::newRow("ENOENT") << ENOENT << int(FileError::FileNotFound) << u"съществува"_s;
    QTest::newRow("ENOTDIR") << ENOTDIR << int(FileError::PathNotFound) << u"съществува"_s;
    QTest::newRow("EIO") << EIO << int(FileError::DeviceIoError) << u"Проверете диска"_s;
    // No cause of ours: the fallback number, the system's own text as the reason.
    QTest::newRow("EXDEV") << EXDEV << int(FileError::DeviceIoError) << u"позволява запис"_s;
#endif
}

void TestStorage::systemErrors()
{
    QFETCH(int, code);
    QFETCH(int, number);
    QFETCH(QString, advice);

    const FileError error = storage::systemerror::fileError(m_path, code, FileError::DeviceIoError, {});
    QCOMPARE(int(error.number()), number);
    QVERIFY(!error.reason().isEmpty());
    const bool known = error.cause() != FileError::Cause::Unknown;
    QCOMPARE(error.reason() == qt_error_string(code), !known);
    if (known)
        QVERIFY2(!error.reason().contains(QRegularExpression(u"[A-Za-z]"_s)), qPrintable(error.reason()));
    const QString message = storage::saveFailureMessage(error);
    QVERIFY2(message.contains(advice), qPrintable(message));
    QCOMPARE(message.contains(u"Освободете място"_s), number == FileError::DiskFull);
}

void TestStorage::saveOverDirectory_data()
{
    QTest::addColumn<bool>("throughLink");

    QTest::newRow("folder") << false;
#ifdef Q_OS_UNIX
    QTest::newRow("link to a folder") << true;
#endif
}

void TestStorage::saveOverDirectory()
{
    QFETCH(bool, throughLink);

    const QString real = throughLink ? m_dir->filePath(u"real/Predmeti.dat"_s) : m_path;
    QVERIFY(QDir().mkpath(real));
    if (throughLink)
        QVERIFY(QFile::link(real, m_path));
    const auto before = QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    const auto error = errorOf([&] { storage::writeRecords(m_path, 1, {u"a"_s}); });
    QVERIFY(error);
    QCOMPARE(error->number(), FileError::PathFileAccess);
    QCOMPARE(error->path(), m_path);
    QVERIFY(QFileInfo(real).isDir());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(QDir(real).isEmpty());
    // The message names the file the link leads to, and its folder.
    const QString message = storage::saveFailureMessage(*error);
    QCOMPARE(message.contains(u"връзка към файла "_s + real + u" в папка "_s + QFileInfo(real).absolutePath()),
             throughLink);
}

// Faults that stop a save midway are in tst_reliability.
void TestStorage::abandonedWriterKeepsOldFile()
{
    const QByteArray old("\"old\"\r\n\"\xC0\"\r\n");
    setContents(m_path, old);
    {
        storage::RecordWriter writer(m_path, 1);
        for (int i = 0; i < 200; ++i)
            writer.writeLine(QString(100, u'n'));
    }
    QCOMPARE(contents(m_path), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
             QStringList{u"Predmeti.dat"_s});
    storage::writeRecords(m_path, 1, {u"new"_s}); // the handle is free again
}

// The calculator saves its two files as a pair; each replaced file keeps its permissions.
void TestStorage::pairSaveKeepsPermissions()
{
#ifndef Q_OS_UNIX
    QSKIP("Windows keeps a read-only flag alone");
#endif
    const QString grades = m_dir->filePath(u"Ocenki.dat"_s);
    const auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    for (const QString &path : {m_path, grades}) {
        setContents(path, "\"old\"\r\n");
        QVERIFY(QFile::setPermissions(path, ownerOnly));
    }
    storage::writeRecordFiles({{m_path, 1, {u"new"_s}}, {grades, 2, {u"6"_s}}});
    QCOMPARE(contents(grades), "\"6\"\r\n");
    for (const QString &path : {m_path, grades})
        QCOMPARE(QFileInfo(path).permissions(), ownerOnly);
}

void TestStorage::dataFilePath()
{
    const QString expected = QDir::toNativeSeparators(u"/school/bin/Ocenki.dat"_s);
    QCOMPARE(storage::dataFilePath(u"/school/bin"_s, {"Ocenki.dat", 1}), expected);
    QCOMPARE(storage::dataFilePath(u"/school/bin/"_s, {"Ocenki.dat", 1}), expected);
}

void TestStorage::userDataFolder_data()
{
    QTest::addColumn<bool>("started"); // the user's folder exists, with a saved Ocenki.dat
    QTest::addColumn<bool>("blocked"); // a file stands where the user's folder must be
    QTest::newRow("first start") << false << false;
    QTest::newRow("later start") << true << false;
    QTest::newRow("folder blocked") << false << true;
}

// An install for all users: the program folder holds the defaults, each user's folder the data.
void TestStorage::userDataFolder()
{
    QFETCH(bool, started);
    QFETCH(bool, blocked);

    QTemporaryDir home;
#ifdef Q_OS_LINUX
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    QCOMPARE(storage::userDataFolder(), home.filePath(QCoreApplication::applicationName()));
    qunsetenv("XDG_DATA_HOME");
#endif
    const QString defaults = m_dir->path();
    setContents(m_path, "\"Predmeti\"\r\n");
    setContents(m_dir->filePath(u"Ocenki.dat"_s), "\"default\"\r\n");
    setContents(m_dir->filePath(u"notes.txt"_s), "not a data file");
    const QString folder = home.filePath(u"share/Tumbora"_s);
    if (started) {
        QVERIFY(QDir().mkpath(folder));
        setContents(folder + u"/Ocenki.dat"_s, "\"saved\"\r\n");
    }
    if (blocked) {
        QVERIFY(QDir().mkpath(home.filePath(u"share"_s)));
        setContents(folder, "a file");
    }

    const auto error = errorOf([&] { storage::fillDataFolder(folder, defaults); });
    QCOMPARE(bool(error), blocked);
    if (blocked) {
        QCOMPARE(error->path(), QDir::toNativeSeparators(folder));
        return;
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({u"Ocenki.dat"_s, u"Predmeti.dat"_s}));
    QCOMPARE(contents(folder + u"/Predmeti.dat"_s), "\"Predmeti\"\r\n");
    QCOMPARE(contents(folder + u"/Ocenki.dat"_s), started ? "\"saved\"\r\n" : "\"default\"\r\n");
#ifdef Q_OS_UNIX
    // Nobody but the user reads or writes the user's data.
    constexpr auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                          | QFile::WriteOther | QFile::ExeOther;
    if (!started)
        QCOMPARE(QFileInfo(folder).permissions() & others, QFile::Permissions());
    QCOMPARE(QFileInfo(folder + u"/Predmeti.dat"_s).permissions() & others, QFile::Permissions());
#endif
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
