// The data files: what is written and read back, every broken file a load refuses, every
// failed save leaving the old files whole, and the Bulgarian texts a pupil reads about them.
#include "filetesting.h"

#include "storage/datafile.h"
#include "storage/failuremessage.h"
#include "storage/recordfile.h"
#include "storage/systemerror.h"
#include "storage/textfit.h"

#include <QDirIterator>
#include <QRandomGenerator>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;
using namespace filetesting;
using storage::FileError;

namespace {

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

QByteArray everyByte()
{
    QByteArray bytes;
    for (int b = 1; b < 256; ++b)
        bytes.append(b == '"' ? ' ' : char(b));
    return bytes;
}

// Every character a text may hold: the code page's, but the double quote and NUL.
QString everyCharacter() { return storage::cp1251::decode(everyByte()); }

QByteArray utf8Records(const QStringList &texts)
{
    QByteArray bytes;
    for (const QString &text : texts)
        bytes += '"' + text.toUtf8() + "\"\r\n";
    return bytes;
}

// Everything under a folder: each entry's kind, and a file's bytes.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> state;
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo info(entries.next());
        state.insert(info.filePath(), info.isSymLink() ? "link to " + info.symLinkTarget().toUtf8()
                                      : info.isDir()   ? "folder"
                                                       : readBytes(info.filePath()));
    }
    return state;
}

} // namespace

class tst_Storage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void write_data();
    void write();
    void roundTrip_data();
    void roundTrip();
    void read_data();
    void read();
    void handleInUse();
    void saveFailure_data();
    void saveFailure();
    void killedPairSave();
    void failureTexts_data();
    void failureTexts();
    void userDataFolder_data();
    void userDataFolder();

private:
    std::optional<DataFolder> m_data;
    QString m_path;
};

void tst_Storage::init()
{
    m_data.emplace();
    m_path = m_data->filePath(u"Predmeti.dat"_s);
}

void tst_Storage::write_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("lines") << QStringList{u"abc"_s, QString(), u"  a, b  "_s}
                           << QByteArray("\"abc\"\r\n\"\"\r\n\"  a, b  \"\r\n");
    QTest::newRow("Cyrillic") << QStringList{u"Математика"_s}
                              << QByteArray("\"\xCC\xE0\xF2\xE5\xEC\xE0\xF2\xE8\xEA\xE0\"\r\n");
    QTest::newRow("outside the code page: one ? each")
            << QStringList{u"x😀y中"_s + QChar(0xD800) + QChar(0x81) + QChar(0)} << QByteArray("\"x?y????\"\r\n");
    QTest::newRow("bare quotes typographic") << QStringList{u"a \"b\", \"c"_s}
                                             << QByteArray("\"a \x84" "b\x93, \x84" "c\"\r\n");
    QTest::newRow("no texts") << QStringList() << QByteArray();
}

void tst_Storage::write()
{
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, bytes);

    storage::writeRecords(m_path, 1, texts);
    QCOMPARE(readBytes(m_path), bytes);
}

// What a pupil types, as the boxes fit it to the code page, comes back exactly.
void tst_Storage::roundTrip_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("stored");

    const auto row = [](const char *name, const QStringList &typed, const QStringList &stored = {}) {
        QTest::newRow(name) << typed << (stored.isEmpty() ? typed : stored);
    };
    row("blanks and commas", {u"  spaced  "_s, u" "_s, QString(), u"a, b"_s});
    row("Cyrillic", {u"Математика"_s, u"Ёж, йод, ъгъл — №5"_s});
    row("typographic quotes", {u"Час на класа „ЧК“"_s, u"Физика 7“, 8“ клас"_s});
    row("bare quotes", {u"Час \"ЧК\""_s, u"\"Физика\" 7\""_s}, {u"Час „ЧК“"_s, u"„Физика“ 7“"_s});
    row("letters the code page lacks", {u"ѝ Ѝ é"_s, u"И\u0306"_s, u"a😀b"_s, u"a"_s + QChar(0) + u"b"_s},
        {u"и И e"_s, u"Й"_s, u"ab"_s, u"ab"_s});
    row("line ends inside", {u"a\r\nb"_s, u"\r"_s, u"\n"_s});
    row("every character", {everyCharacter(), u"x"_s});
    row("longest field", {QString(64 * 1024, u'ж')});
}

void tst_Storage::roundTrip()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, stored);

    QStringList fitted;
    for (const QString &text : typed)
        fitted << storage::textfit::typed(text, text.size()).text;
    QCOMPARE(fitted, stored);
    storage::writeRecords(m_path, 1, fitted);
    QCOMPARE(storage::readRecords(m_path, 1, int(stored.size())), stored);
}

// Bytes as any editor may leave them: the fields read, or the error of a broken file.
void tst_Storage::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("place"); // what stands at the file's path where it is no file
    QTest::addColumn<QStringList>("fields"); // for a failure, as many as are asked for
    QTest::addColumn<int>("error");

    const auto row = [](const char *name, const QByteArray &bytes, const QStringList &fields, int error = 0) {
        QTest::newRow(name) << bytes << QString() << fields << error;
    };
    row("eight on one line", "\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\"\r\n", numbered(QString(), 8));
    row("every line end, none at the end", "\"a\"\r\n\"b\"\r\"c\"\n\"d\"", {u"a"_s, u"b"_s, u"c"_s, u"d"_s});
    row("empty line, fields left over", "\"a\"\r\n\r\n\"c\"\r\n\"d\"\r\n", {u"a"_s, QString(), u"c"_s});
    row("two quotes, two commas", "\"\",\"b\",,\"d\"\r\n", {QString(), u"b"_s, QString(), u"d"_s});
    row("blanks around quotes", "   \"a\"  \r\n  \"b\" ,\"c\"\r\n", {u"a"_s, u"b"_s, u"c"_s});
    row("unquoted", "  abc  , d e \r\nf", {u"abc"_s, u"d e"_s, u"f"_s});
    row("only line ends", "\r\r\r", {QString(), QString(), QString()});
    row("quoted over two lines", "\"a\r\nb\"\r\n\"c\"", {u"a\r\nb"_s, u"c"_s});
    row("unclosed quote runs to the end", "\"a\r\n", {u"a\r\n"_s});
    // `Английски "А"` written bare, as by hand: the following fields keep their places.
    row("inner quotes", "\"\xC0\xED\xE3\xEB\xE8\xE9\xF1\xEA\xE8 \"\xC0\"\"\r\n\"x\"\r\n\"y\"\r\n",
        {u"Английски "_s, u"x"_s, u"y"_s});
    row("every byte", '"' + everyByte() + '"', {everyCharacter()});
    const QStringList bulgarian = {u"Час на класа „ЧК“"_s, u"Ёж, йод, ъгъл — №5"_s, QString()};
    row("Windows-1251", records(bulgarian), bulgarian);
    row("UTF-8", utf8Records(bulgarian), bulgarian);
    row("UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + utf8Records(bulgarian), bulgarian);
    row("byte-order mark, ASCII", "\xEF\xBB\xBF\"a\"\r\n", {u"a"_s});
    row("UTF-8 the code page lacks", utf8Records({u"ѝ é"_s, u"a😀b"_s, u"а\U0001E000"_s}),
        {u"и e"_s, u"a?b"_s, u"а"_s});

    row("empty file", {}, QStringList(1), FileError::InputPastEnd);
    row("short file", "\"a\"\r\n\"b\"\r\n", QStringList(3), FileError::InputPastEnd);
    row("quoted field over 64 KiB", '"' + QByteArray(64 * 1024 + 1, 'x') + '"',
        QStringList(1), FileError::BrokenFile);
    row("unquoted line over 64 KiB", QByteArray(1024 * 1024, 'x'), QStringList(1), FileError::BrokenFile);
    row("junk after a quote over 64 KiB", "\"a\"" + QByteArray(1024 * 1024, 'x'), QStringList(1),
        FileError::BrokenFile);
    row("NUL byte", QByteArray("\"a\"\r\n\"b\0\"\r\n", 9), QStringList(2), FileError::BrokenFile);
    QStringList places{u"missing"_s, u"folder"_s};
#ifdef Q_OS_UNIX
    places << u"named pipe"_s << u"endless device"_s;
#endif
    for (const QString &place : places) {
        QTest::newRow(qPrintable(place)) << QByteArray() << place << QStringList(1)
                                         << int(place == u"missing" ? FileError::FileNotFound : FileError::PathFileAccess);
    }
}

void tst_Storage::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, place);
    QFETCH(QStringList, fields);
    QFETCH(int, error);

    if (place.isEmpty())
        m_data->write(u"Predmeti.dat"_s, bytes);
    else if (place == u"folder")
        QVERIFY(QDir().mkdir(m_path));
#ifdef Q_OS_UNIX
    else if (place == u"named pipe")
        QCOMPARE(::mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
    else if (place == u"endless device")
        QVERIFY(QFile::link(u"/dev/zero"_s, m_path));
#endif
    QStringList read;
    const auto failure = errorOf([&] { read = storage::readRecords(m_path, 1, int(fields.size())); });
    QCOMPARE(failure ? int(failure->number()) : 0, error);
    if (failure)
        QCOMPARE(failure->path(), m_path);
    else
        QCOMPARE(read, fields);
}

void tst_Storage::handleInUse()
{
    m_data->write(u"Predmeti.dat"_s, "\"a\"\r\n");
    QVERIFY(errorOf([&] { storage::RecordReader(m_path + u'x', 2); })); // and frees its handle
    {
        storage::RecordReader reader(m_path, 2);
        QCOMPARE(errorOf([&] { storage::RecordWriter(m_path, 2); })->number(), FileError::FileAlreadyOpen);
        QCOMPARE(storage::readRecords(m_path, 3, 1), QStringList{u"a"_s});
    }
    const auto before = snapshot(m_data->path());
    {
        storage::RecordWriter abandoned(m_path, 2);
        for (int i = 0; i < 200; ++i)
            abandoned.writeLine(QString(100, u'n'));
    }
    QCOMPARE(snapshot(m_data->path()), before);
    storage::writeRecords(m_path, 2, {u"b"_s});
    QCOMPARE(readBytes(m_path), "\"b\"\r\n");
}

// The calculator saves its subjects and grades together: both files, or neither.
void tst_Storage::saveFailure_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("struck"); // which of the two files
    QTest::addColumn<int>("cause");

    QTest::newRow("folder in place of the first") << u"folder"_s << 0 << int(FileError::Cause::NotAFile);
    QTest::newRow("folder in place of the second") << u"folder"_s << 1 << int(FileError::Cause::NotAFile);
    QTest::newRow("no folder") << u"no folder"_s << 0 << int(FileError::Cause::NotAFolder);
#ifdef Q_OS_UNIX
    QTest::newRow("link to a folder") << u"link"_s << 0 << int(FileError::Cause::NotAFile);
    // These run as another user than the files' owner (root drops to "nobody").
    QTest::newRow("read-only folder") << u"read-only folder"_s << 0 << int(FileError::Cause::NoPermission);
    QTest::newRow("read-only second file") << u"read-only file"_s << 1 << int(FileError::Cause::NoPermission);
    QTest::newRow("size limit") << u"size limit"_s << 1 << int(FileError::Cause::TooLarge);
#endif
}

void tst_Storage::saveFailure()
{
    QFETCH(QString, fault);
    QFETCH(int, struck);
    QFETCH(int, cause);

    const QString folder = m_data->filePath(u"app"_s);
    QVERIFY(QDir().mkdir(folder));
    QList<storage::RecordFile> files{{folder + u"/Predmeti.dat"_s, 1, numbered(u"Предмет "_s, 15)},
                                     {folder + u"/Ocenki.dat"_s, 2, QStringList(15, u"5"_s)}};
    for (const storage::RecordFile &file : files)
        writeBytes(file.path, records(file.texts));
    files[struck].texts = QStringList(15, QString(2000, u'ж')); // beyond the size limit
    files[1 - struck].texts = numbered(u"нов "_s, 15);
    const QString struckPath = files[struck].path;
    const QString real = m_data->filePath(u"real/Predmeti.dat"_s);
    if (fault == u"folder" || fault == u"link") {
        QVERIFY(QFile::remove(struckPath));
        QVERIFY(QDir().mkpath(fault == u"link" ? real : struckPath));
        QVERIFY(fault == u"folder" || QFile::link(real, struckPath));
    } else if (fault == u"no folder") {
        QVERIFY(QDir().rename(folder, folder + u".moved"_s));
        writeBytes(folder, "not a folder");
    }
    const auto before = snapshot(m_data->path());
    const auto failsRight = [&] {
        const auto error = errorOf([&] { storage::writeRecordFiles(files); });
        return error && int(error->cause()) == cause && error->path() == struckPath;
    };
#ifdef Q_OS_UNIX
    if (fault.startsWith(u"read-only") || fault == u"size limit") {
        QCOMPARE(::chmod(QFile::encodeName(m_data->path()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), fault == u"read-only folder" ? 0555 : 0777), 0);
        for (const storage::RecordFile &file : std::as_const(files)) {
            const int mode = file.path == struckPath && fault == u"read-only file" ? 0444 : 0666;
            QCOMPARE(::chmod(QFile::encodeName(file.path).constData(), mode), 0);
        }
        const pid_t child = ::fork();
        if (child == 0) {
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 8 * 1024;
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
            if (fault == u"size limit" ? ::setrlimit(RLIMIT_FSIZE, &limit) != 0
                                       : ::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(2);
            ::_exit(failsRight() ? 0 : 1);
        }
        int status = -1;
        ::waitpid(child, &status, 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
        QCOMPARE(status, 0);
    } else
#endif
    {
        QVERIFY(failsRight());
    }
    QCOMPARE(snapshot(m_data->path()), before);
    if (fault == u"link") { // the message names the file the link leads to
        const QString message = storage::saveFailureMessage(FileError(FileError::Cause::NotAFile, struckPath));
        QVERIFY(message.contains(u"\nТова е връзка към файла %1 в папка %2\n"_s.arg(real, QFileInfo(real).path())));
    }
}

// Killed at any moment of a pair save, the program leaves the old pair or the new one, or,
// between the two renames, the new first file and the second's new copy waiting beside it.
void tst_Storage::killedPairSave()
{
#ifndef Q_OS_UNIX
    QSKIP("needs fork and kill");
#else
    const QString grades = m_data->filePath(u"Ocenki.dat"_s);
    const QList<storage::RecordFile> oldSave{{m_path, 1, numbered(u"стар "_s, 15)}, {grades, 2, numbered(QString(), 15)}};
    const QList<storage::RecordFile> newSave{{m_path, 1, numbered(u"нов "_s, 15)}, {grades, 2, QStringList(15, u"6"_s)}};
    QByteArrayList oldBytes, newBytes;
    for (qsizetype i = 0; i < 2; ++i) {
        oldBytes << records(oldSave[i].texts);
        newBytes << records(newSave[i].texts);
        writeBytes(oldSave[i].path, oldBytes[i]);
        QVERIFY(QFile::setPermissions(oldSave[i].path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser
                                                               | QFile::WriteUser));
    }
    QRandomGenerator random(5);
    for (int round = 0; round < 100; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;) {
                storage::writeRecordFiles(newSave);
                storage::writeRecordFiles(oldSave);
            }
        }
        ::usleep(random.bounded(20'000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArrayList now{readBytes(m_path), readBytes(grades)};
        const QByteArray waiting = readBytes(grades + u".new"_s);
        QVERIFY(now == oldBytes || now == newBytes || (now == QByteArrayList{newBytes[0], oldBytes[1]} && waiting == newBytes[1])
                || (now == QByteArrayList{oldBytes[0], newBytes[1]} && waiting == oldBytes[1]));
    }
    // The folder sync closes the folder it opens, even as handle 0 (standard input closed).
    ::close(0);
    storage::writeRecordFiles(newSave);
    QCOMPARE(::fcntl(0, F_GETFD), -1);
    QCOMPARE(::open("/dev/null", O_RDONLY), 0);
    for (qsizetype i = 0; i < 2; ++i) {
        QCOMPARE(readBytes(newSave[i].path), newBytes[i]);
        QCOMPARE(QFileInfo(newSave[i].path).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    }
#endif
}

// The error a pupil reads for each code the system may give, on load and on save.
void tst_Storage::failureTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("number");
    QTest::addColumn<QStringList>("texts"); // the number's, the reason, the advice on save

    const QString denied = u"Достъпът е отказан"_s, full = u"Дискът е пълен"_s;
    const QString access = u"Грешка при достъп до пътя или файла"_s, device = u"Входно-изходна грешка на устройството"_s;
    const QString freeSpace = u"Освободете място на диска и опитайте отново."_s;
    const QString checkFolder = u"Проверете дали папка %1 съществува и опитайте отново."_s;
    const QStringList noPermission{denied, u"нямате право за достъп до файла или папката му"_s,
            u"Нямате право да записвате в папка %1. Преместете папката на програмата там, където можете да "
            u"записвате (например в личната си папка или на флашка), и опитайте отново."_s};
    const QStringList inUse{denied, u"файлът е зает от друга програма"_s,
            u"Затворете програмата, която използва файла, и опитайте отново."_s};
    const QStringList diskFull{full, u"на диска няма свободно място"_s, freeSpace};
    const QStringList tooLarge{full, u"файлът става по-голям от разрешеното"_s, freeSpace};
    const QStringList readOnly{access, u"дискът е само за четене"_s,
            u"Дискът не позволява запис (например заключена флашка). Преместете папката на програмата на "
            u"диск, на който може да се записва, и опитайте отново."_s};
    const QStringList notAFile{access, u"не е обикновен файл, а папка или нещо друго"_s,
            u"Преименувайте или преместете това, което стои на мястото на файла, и опитайте отново."_s};
    const QStringList nameTooLong{access, u"пътят до файла е твърде дълъг"_s,
            u"Преместете папката на програмата на място с по-кратък път и опитайте отново."_s};
    const QStringList missing{u"Файлът не е намерен"_s, u"файлът или папката му не съществува"_s, checkFolder};
    const QStringList notAFolder{u"Пътят не е намерен"_s, u"част от пътя до файла не е папка"_s, checkFolder};
    const QStringList deviceFault{device, u"дискът не може да бъде прочетен или записан"_s,
            u"Проверете диска или флашката и опитайте отново."_s};
    const auto row = [](const char *name, int code, int number, const QStringList &texts) {
        QTest::newRow(name) << code << number << texts;
    };
#ifdef Q_OS_WIN
    row("access denied", ERROR_ACCESS_DENIED, 70, noPermission);
    row("sharing violation", ERROR_SHARING_VIOLATION, 70, inUse);
    row("lock violation", ERROR_LOCK_VIOLATION, 70, inUse);
    row("disk full", ERROR_DISK_FULL, 61, diskFull);
    row("handle disk full", ERROR_HANDLE_DISK_FULL, 61, diskFull);
    row("file too large", ERROR_FILE_TOO_LARGE, 61, tooLarge);
    row("write protect", ERROR_WRITE_PROTECT, 75, readOnly);
    row("directory", ERROR_DIRECTORY, 75, notAFile);
    row("name too long", ERROR_FILENAME_EXCED_RANGE, 75, nameTooLong);
    row("file not found", ERROR_FILE_NOT_FOUND, 53, missing);
    row("path not found", ERROR_PATH_NOT_FOUND, 76, notAFolder);
    row("device", ERROR_IO_DEVICE, 57, deviceFault);
#else
    row("EACCES", EACCES, 70, noPermission);
    row("EPERM", EPERM, 70, noPermission);
    row("EBUSY", EBUSY, 70, inUse);
    row("ETXTBSY", ETXTBSY, 70, inUse);
    row("ENOSPC", ENOSPC, 61, diskFull);
    row("EDQUOT", EDQUOT, 61, {full, u"мястото, отредено за Вас на диска, е изчерпано"_s, freeSpace});
    row("EFBIG", EFBIG, 61, tooLarge);
    row("EROFS", EROFS, 75, readOnly);
    row("EISDIR", EISDIR, 75, notAFile);
    row("ENAMETOOLONG", ENAMETOOLONG, 75, nameTooLong);
    row("ENOENT", ENOENT, 53, missing);
    row("ENOTDIR", ENOTDIR, 76, notAFolder);
    row("EIO", EIO, 57, deviceFault);
    // No cause of ours: the fallback number, and the system's own text as the reason.
    row("EXDEV", EXDEV, 57, {device, qt_error_string(EXDEV),
            u"Проверете дали папка %1 позволява запис и дали дискът има място, и опитайте отново."_s});
#endif
}

void tst_Storage::failureTexts()
{
    QFETCH(int, code);
    QFETCH(int, number);
    QFETCH(QStringList, texts);

    const FileError error = storage::systemerror::fileError(m_path, code, FileError::DeviceIoError, {});
    const QString about = u"Файл: %1\n%2 (грешка %3).\nПричина: %4"_s.arg(m_path, texts[0]).arg(number).arg(texts[1]);
    QCOMPARE(storage::loadFailureMessage(error),
             u"Данните не могат да бъдат прочетени и прозорецът няма да се отвори.\n\n"_s + about);
    QCOMPARE(storage::saveFailureMessage(error),
             u"Записът не бе успешен.\n\n"_s + about + u"\n\nНито един файл не е променен, а промените Ви са още "
             u"в прозореца. "_s + QString(texts[2]).replace(u"%1"_s, QDir::toNativeSeparators(m_data->path())));
}

void tst_Storage::userDataFolder_data()
{
    QTest::addColumn<bool>("started"); // the user's folder exists, with a saved Ocenki.dat
    QTest::addColumn<bool>("blocked"); // a file stands where the user's folder must be
    QTest::newRow("first start") << false << false;
    QTest::newRow("later start") << true << false;
    QTest::newRow("folder blocked") << false << true;
}

// An install for all users: the program folder holds the defaults, each user's folder the data.
void tst_Storage::userDataFolder()
{
    QFETCH(bool, started);
    QFETCH(bool, blocked);

    const DataFolder home;
#ifdef Q_OS_LINUX
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    QCOMPARE(storage::userDataFolder(), home.path() + u'/' + QCoreApplication::applicationName());
    qunsetenv("XDG_DATA_HOME");
#endif
    m_data->write(u"Predmeti.dat"_s, "\"Predmeti\"\r\n");
    m_data->write(u"Ocenki.dat"_s, "\"default\"\r\n");
    m_data->write(u"notes.txt"_s, "not a data file");
    const QString folder = home.path() + u"/share/Tumbora"_s;
    if (started || blocked)
        QVERIFY(QDir().mkpath(started ? folder : home.path() + u"/share"_s));
    if (started)
        writeBytes(folder + u"/Ocenki.dat"_s, "\"saved\"\r\n");
    if (blocked)
        writeBytes(folder, "a file");

    const auto error = errorOf([&] { storage::fillDataFolder(folder, m_data->path()); });
    QCOMPARE(error ? error->path() : QString(), blocked ? QDir::toNativeSeparators(folder) : QString());
    if (blocked)
        return;
    QCOMPARE(storage::dataFilePath(folder + u'/', {"Ocenki.dat", 2}), QDir::toNativeSeparators(folder + u"/Ocenki.dat"_s));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({u"Ocenki.dat"_s, u"Predmeti.dat"_s}));
    QCOMPARE(readBytes(folder + u"/Predmeti.dat"_s), "\"Predmeti\"\r\n");
    QCOMPARE(readBytes(folder + u"/Ocenki.dat"_s), started ? "\"saved\"\r\n" : "\"default\"\r\n");
#ifdef Q_OS_UNIX
    // Nobody but the user reads or writes the user's data.
    constexpr auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    if (!started)
        QCOMPARE(QFileInfo(folder).permissions() & others, QFile::Permissions());
    QCOMPARE(QFileInfo(folder + u"/Predmeti.dat"_s).permissions() & others, QFile::Permissions());
#endif
}

QTEST_GUILESS_MAIN(tst_Storage)
#include "tst_storage.moc"
