// The data files: what is written and read back, every broken file a load refuses, every
// failed or killed save leaving whole files, and the Bulgarian texts a pupil reads about them.
#include "filetesting.h"

#include "storage/datafile.h"
#include "storage/failuremessage.h"
#include "storage/recordfile.h"
#include "storage/systemerror.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <array>
#include <numeric>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
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
    try { run(); } catch (const FileError &error) { return error; }
    return std::nullopt;
}

// The calculator's two files saved with old texts, then with new ones.
std::array<QList<storage::RecordFile>, 2> pairSaves(const QString &folder)
{
    const QString subjects = QDir(folder).filePath(u"Predmeti.dat"_s), grades = QDir(folder).filePath(u"Ocenki.dat"_s);
    return {{{{subjects, 1, numbered(u"стар "_s, 15)}, {grades, 2, numbered({}, 15)}},
             {{subjects, 1, numbered(u"нов "_s, 15)}, {grades, 2, QStringList(15, u"6"_s)}}}};
}

// Started by killedPairSave as a child: saves both pairs in turn until it is killed.
const QString keepSavingOption = u"--keep-saving"_s;
[[noreturn]] void keepSaving(const QString &folder)
{
    const auto saves = pairSaves(folder);
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    for (int i = 0;; ++i) {
        storage::writeRecordFiles(saves[i % 2]);
        if (i == 0)
            out.write("saving\n") && out.flush();
    }
}

} // namespace

class tst_Storage : public QObject
{
    Q_OBJECT

    std::optional<DataFolder> m_data;
    QString m_path;

private Q_SLOTS:
    void init()
    {
        m_data.emplace();
        m_path = m_data->filePath(u"Predmeti.dat"_s);
    }

    // A data file as a save writes it or as any editor may leave it: its bytes, and the fields
    // a load reads from it or the error of a broken file.
    void dataFile_data()
    {
        QTest::addColumn<QStringList>("texts"); // saved, if any, and then the bytes are what it wrote
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("place"); // what stands at the file's path instead of a file, or holds it
        QTest::addColumn<QStringList>("fields"); // for a failure, as many as are asked for
        QTest::addColumn<int>("error");

        const auto saved = [](const char *name, const QStringList &texts, const QByteArray &bytes, const QStringList &back = {}) {
            QTest::newRow(name) << texts << bytes << QString() << (back.isEmpty() ? texts : back) << 0;
        };
        const auto row = [](const char *name, const QByteArray &bytes, const QStringList &fields, int error = 0, const QString &place = {}) {
            QTest::newRow(name) << QStringList() << bytes << place << fields << error;
        };
        saved("saved", {u"abc"_s, QString(), u"  a, b  "_s, u"Ёж №5 „ЧК“"_s}, "\"abc\"\r\n\"\"\r\n\"  a, b  \"\r\n\"\xA8\xE6 \xB9" "5 \x84\xD7\xCA\x93\"\r\n");
        // Bare quotes become typographic ones; outside the code page, one "?" a character.
        saved("saved otherwise", {u"a \"b\", \"c"_s, u"x😀y中"_s + QChar(0xD800) + QChar(0x81) + QChar(0)}, {}, {u"a „b“, „c"_s, u"x?y????"_s});
        QByteArray everyByte(255, '\0'); // but NUL and the double quote, which no text holds
        std::iota(everyByte.begin(), everyByte.end(), char(1));
        saved("saved: every character, line ends, the longest field", {storage::cp1251::decode(everyByte.replace('"', "")), u"a\r\nb"_s, u"\r"_s, u"\n"_s, QString(64 * 1024, u'ж')}, {});

        row("eight on one line, one left over", "\"\",\"b\",,  \"d\" ,  e f  ,\"6\",\"7\",\"8\",\"9\"\r\n", {QString(), u"b"_s, QString(), u"d"_s, u"e f"_s, u"6"_s, u"7"_s, u"8"_s});
        row("every line end, none at the end", "\"a\"\r\n\r\n\"b\"\r\"c\"\n\"d\r\ne\"\r\n  f ", {u"a"_s, QString(), u"b"_s, u"c"_s, u"d\r\ne"_s, u"f"_s});
        // `Английски "А"` written bare, as by hand: the following fields keep their places; an
        // unclosed quote runs to the end.
        row("inner quotes", "\"\xC0\xED\xE3\xEB\xE8\xE9\xF1\xEA\xE8 \"\xC0\"\"\r\n\"x\"\r\n\"y\r\n", {u"Английски "_s, u"x"_s, u"y\r\n"_s});
        // What the code page lacks is shown as a save writes it: plain letters, one "?" a
        // character, a mark joined or left out.
        row("UTF-8", u"\"Час „ЧК“ — №5\"\r\n\"\"\r\n\"ѝ é И\u0306\"\r\n\"a😀b\"\r\n\"а\U0001E000\"\r\n"_s.toUtf8(), {u"Час „ЧК“ — №5"_s, QString(), u"и e Й"_s, u"a?b"_s, u"а"_s});
        row("UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + u"\"Ёж\""_s.toUtf8(), {u"Ёж"_s});

        row("short file", "\"a\"\r\n\"b\"\r\n", QStringList(3), FileError::InputPastEnd);
        row("quoted field over 64 KiB", '"' + QByteArray(64 * 1024 + 1, 'x') + '"', QStringList(1), FileError::BrokenFile);
        row("junk after a quote over 64 KiB", "\"a\"" + QByteArray(1024 * 1024, 'x'), QStringList(1), FileError::BrokenFile);
        // As the code page has it, byte by byte (0x98, which it leaves undefined, as U+0098).
        QByteArray high(128, '\0');
        std::iota(high.begin(), high.end(), char(0x80));
        row("every byte of the code page", '"' + high + '"', {u"ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏђ‘’“”•–—\u0098™љ›њќћџ\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Ї°±Ііґµ¶·ё№є»"
                                                              u"јЅѕїАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя"_s});
        // A failed open gives its handle back: each of these reads on the handle the one before used.
        row("handle in use", "\"a\"", QStringList(1), FileError::FileAlreadyOpen, u"handle in use"_s);
        row("missing", {}, QStringList(1), FileError::FileNotFound, u"missing"_s);
        row("folder", {}, QStringList(1), FileError::PathFileAccess, u"folder"_s);
#ifdef Q_OS_UNIX
        row("endless device", {}, QStringList(1), FileError::PathFileAccess, u"endless device"_s);
        row("named pipe", {}, QStringList(1), FileError::PathFileAccess, u"named pipe"_s);
#endif
    }

    void dataFile()
    {
        QFETCH(QStringList, texts);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, place);
        QFETCH(QStringList, fields);
        QFETCH(int, error);

        std::optional<storage::RecordReader> holder;
        QFile pipe(m_path); // held open and two reads full: a load that opened it would read, not wait
        if (!texts.isEmpty())
            storage::writeRecords(m_path, 1, texts);
        else if (!bytes.isEmpty() || place.isEmpty())
            writeBytes(m_path, bytes);
        if (!texts.isEmpty() && !bytes.isEmpty())
            QCOMPARE(readBytes(m_path), bytes);
        if (place == u"handle in use")
            holder.emplace(m_path, 1);
        else if (place == u"folder")
            QVERIFY(QDir().mkdir(m_path));
#ifdef Q_OS_UNIX
        else if (place == u"endless device")
            QVERIFY(QFile::link(u"/dev/zero"_s, m_path));
        else if (place == u"named pipe")
            QVERIFY(::mkfifo(qPrintable(m_path), 0600) == 0 && pipe.open(QIODevice::ReadWrite | QIODevice::Unbuffered) && pipe.write(QByteArray("\"a\"").leftJustified(32 * 1024, '\n')) > 0);
#endif
        const auto failure = errorOf([&] { QCOMPARE(storage::readRecords(m_path, 1, int(fields.size())), fields); });
        QCOMPARE(failure ? int(failure->number()) : 0, error);
        QCOMPARE(failure ? failure->path() : m_path, m_path);
    }

    // The calculator saves its subjects and grades together: both files, or neither. Each
    // fault strikes the grades, saved second, so the subjects' new copy must go too.
    void saveFailure_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<FileError::Cause>("cause");

        QTest::newRow("folder in place") << u"folder"_s << FileError::Cause::NotAFile;
        QTest::newRow("no folder") << u"no folder"_s << FileError::Cause::NotAFolder;
#ifdef Q_OS_UNIX
        QTest::newRow("link to a folder") << u"link"_s << FileError::Cause::NotAFile;
        QTest::newRow("size limit") << u"size limit"_s << FileError::Cause::TooLarge;
        // Never replaced, though the folder would allow it, as on Windows.
        QTest::newRow("read-only file") << u"read-only"_s << FileError::Cause::NoPermission;
        // Refused only at its rename, after the subjects' went through: they are put back.
        QTest::newRow("rename refused") << u"mount point"_s << FileError::Cause::InUse;
#else
        QTest::newRow("held open by another program") << u"held open"_s << FileError::Cause::InUse;
#endif
    }

    void saveFailure()
    {
        QFETCH(QString, fault);
        QFETCH(FileError::Cause, cause);

        const QString grades = m_data->filePath(u"Ocenki.dat"_s);
        writeBytes(m_path, records(numbered(u"Предмет "_s, 15)));
        writeBytes(grades, records(QStringList(15, u"5"_s)));
        const QString path = fault == u"no folder" ? grades + u"/Ocenki.dat"_s : grades;
        // The grades over the size limit, and under a write buffer.
        const QList<storage::RecordFile> files{{m_path, 1, numbered(u"нов "_s, 15)}, {path, 2, QStringList(15, QString(700, u'ж'))}};
        const QString real = m_data->filePath(u"real/Ocenki.dat"_s);
        if (fault == u"folder" || fault == u"link") {
            QVERIFY(QFile::remove(path) && QDir().mkpath(fault == u"link" ? real : path));
            QVERIFY(fault == u"folder" || QFile::link(real, path));
        }
        const auto before = snapshot(m_data->path());
        const auto failsRight = [&] {
            const auto error = errorOf([&] { storage::writeRecordFiles(files); });
            return error && error->cause() == cause && error->path() == path;
        };
#ifdef Q_OS_UNIX
        if (fault == u"read-only") { // saved by a user other than root, who may write anything
            const QList<std::pair<QString, int>> modes{{m_data->path(), 0x7777}, {m_path, 0x6666}, {path, 0x4444}}; // 777, 666, 444
            for (const auto &[entry, mode] : modes)
                QVERIFY(QFile::setPermissions(entry, QFile::Permissions(mode)));
        }
        if (fault != u"folder" && fault != u"no folder" && fault != u"link") { // in a child, which alone has the fault
            const pid_t child = ::fork();
            if (child == 0) {
                const rlimit limit{8 * 1024, 8 * 1024};
                std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
                const QByteArray target = QFile::encodeName(path);
                // The file bound onto itself, in mounts of the child's own: a rename over it fails.
                if (fault == u"mount point" && (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
                                                || ::mount(target.constData(), target.constData(), nullptr, MS_BIND, nullptr) != 0))
                    ::_exit(77);
                const bool limited = fault == u"size limit" ? ::setrlimit(RLIMIT_FSIZE, &limit) == 0
                                                            : fault == u"mount point" || ::getuid() != 0 || ::setuid(65534) == 0;
                ::_exit(limited && failsRight() ? 0 : 1);
            }
            int status = -1;
            QVERIFY(::waitpid(child, &status, 0) == child);
            if (WEXITSTATUS(status) == 77)
                QSKIP("A file cannot be made a mount point here (not root, or no mount namespaces).");
            QCOMPARE(status, 0);
        } else
#endif
        {
            QFile held(path); // as a virus scanner holds it
            QVERIFY(fault != u"held open" || held.open(QIODevice::ReadOnly));
            QVERIFY(failsRight());
        }
        QCOMPARE(snapshot(m_data->path()), before);
        const QString link = u"\nТова е връзка към файла %1 в папка %2\n"_s.arg(real, QFileInfo(real).path());
        QCOMPARE(storage::saveFailureMessage(FileError(cause, path)).contains(link), fault == u"link");
    }

    // Killed at any moment of a pair save, the program leaves the old pair or the new one, or,
    // between the two renames, the new first file and the second's new copy waiting beside it.
    // The saving child is killed as the system kills a program: SIGKILL, or TerminateProcess,
    // after a random delay; TUMBORA_KILL_SEED=<seed> replays a run's delays. Kills that land
    // mid-save, leaving a copy beside the files, must be among them, or the test proves nothing.
    void killedPairSave()
    {
        const QString grades = m_data->filePath(u"Ocenki.dat"_s);
        const auto saves = pairSaves(m_data->path());
        QByteArrayList bytes[2]; // what each save writes; the old one last, as the start
        for (const int i : {1, 0}) {
            storage::writeRecordFiles(saves[i]);
            bytes[i] = {readBytes(m_path), readBytes(grades)};
        }
        const quint32 seed = qEnvironmentVariable("TUMBORA_KILL_SEED", QString::number(QRandomGenerator::system()->generate())).toUInt();
        qInfo("TUMBORA_KILL_SEED=%u", seed);
        QRandomGenerator delays(seed);
        int midSave = 0;
        for (int round = 0; round < 100; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {keepSavingOption, m_data->path()});
            QVERIFY(child.waitForReadyRead()); // the first save is done
            QThread::usleep(delays.bounded(20'000));
            child.kill();
            QVERIFY(child.waitForFinished());
            const QByteArrayList now{readBytes(m_path), readBytes(grades)};
            const QByteArray waiting = readBytes(grades + u".new"_s);
            QVERIFY(now == bytes[0] || now == bytes[1] || (now == QByteArrayList{bytes[1][0], bytes[0][1]} && waiting == bytes[1][1])
                    || (now == QByteArrayList{bytes[0][0], bytes[1][1]} && waiting == bytes[0][1]));
            midSave += QDir(m_data->path()).entryList(QDir::Files).size() > 2;
            for (const QString &copy : QDir(m_data->path()).entryList({u"*.dat.*"_s}, QDir::Files))
                QVERIFY(QFile::remove(m_data->filePath(copy)));
        }
        qInfo("%d of 100 kills landed mid-save", midSave); // about a fifth on Linux
        QVERIFY(midSave > 0);
#ifdef Q_OS_UNIX
        for (const QString &path : {m_path, grades}) // owner-only, as they stay
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser));
        ::close(0); // the folder sync closes the folder it opens, even as handle 0
        storage::writeRecordFiles(saves[1]);
        QCOMPARE(::fcntl(0, F_GETFD), -1);
        QCOMPARE(::open("/dev/null", O_RDONLY), 0);
        QCOMPARE((QByteArrayList{readBytes(m_path), readBytes(grades)}), bytes[1]);
        for (const QString &path : {m_path, grades})
            QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
#endif
    }

    // The message a pupil reads for each cause of a failure, for an error the program has no
    // cause for and for each kind of broken file, on load and on save, as
    // tests/reviewed/failure-texts.txt has it; and the cause of each error code of the system.
    void failureTexts()
    {
#ifdef Q_OS_WIN // in the order of the causes; Windows has no quota
        const int codes[] = {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL, 0, ERROR_FILE_TOO_LARGE, ERROR_WRITE_PROTECT,
                             ERROR_DIRECTORY, ERROR_FILENAME_EXCED_RANGE, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_CRC};
        const int unknown = ERROR_NOT_SAME_DEVICE;
#else
        const int codes[] = {EACCES, EBUSY, ENOSPC, EDQUOT, EFBIG, EROFS, EISDIR, ENAMETOOLONG, ENOENT, ENOTDIR, EIO};
        const int unknown = EXDEV;
#endif
        QList<std::pair<QString, FileError>> errors; // each cause as the system's error code gives it, where it has one
        for (int cause = 1; cause <= int(std::size(codes)); ++cause)
            errors.append({u"cause %1"_s.arg(cause), codes[cause - 1] ? storage::systemerror::fileError(m_path, codes[cause - 1], FileError::DeviceIoError, {})
                                                                      : FileError(FileError::Cause(cause), m_path)});
        errors.append({u"no cause"_s, storage::systemerror::fileError(m_path, unknown, FileError::DeviceIoError, {})});
        const QString programFile = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u"/Ocenki.dat"_s);
        for (const auto cause : {FileError::Cause::NoPermission, FileError::Cause::ReadOnly, FileError::Cause::NameTooLong})
            errors.append({u"cause %1 in the program folder"_s.arg(int(cause)), FileError(cause, programFile)});
        FileError notPutBack(FileError::Cause::InUse, m_data->filePath(u"Ocenki.dat"_s)); // the subjects' rename went through
        notPutBack.setChangedFile(m_path);
        errors.append({u"a file not put back"_s, notPutBack});
        for (const QByteArray &broken : {QByteArray("\"a\"\r\n\0", 6), QByteArray("\"a\0\"", 4), QByteArray(64 * 1024 + 1, 'x'), QByteArray("\"a\"")}) {
            writeBytes(m_path, broken);
            const auto error = errorOf([&] { storage::readRecords(m_path, 1, 2); });
            errors.append({u"read %1 bytes"_s.arg(broken.size()), error.value_or(FileError(FileError::Cause::Unknown, u"none"_s))});
        }
        QString texts;
        for (const auto &[name, error] : std::as_const(errors))
            texts += u"== %1\n%2\n--\n%3\n"_s.arg(name, storage::loadFailureMessage(error), storage::saveFailureMessage(error));
        compareWithReviewed(texts.replace(m_path, u"<file>"_s).replace(QDir::toNativeSeparators(m_data->path() + u'/'), u"<folder>/"_s)
                                    .replace(QDir::toNativeSeparators(m_data->path()), u"<folder>"_s)
                                    .replace(programFile, u"<program file>"_s)
                                    .replace(QDir::toNativeSeparators(QFileInfo(programFile).path()), u"<program folder>"_s)
                                    .replace(qt_error_string(unknown), u"<the system's own text>"_s),
                            u"failure-texts"_s);
    }

    // An install for all users: the program folder holds the defaults, each user's own folder
    // (made on first start, for that user alone) the data; a file saved there is never replaced.
    void fillDataFolder()
    {
        const DataFolder home;
        writeBytes(m_path, "\"Predmeti\"\r\n");
        m_data->write(u"notes.txt"_s, "not a data file");
        const QString folder = home.path() + u"/share/Tumbora"_s;
        const QString grades = folder + u"/Ocenki.dat"_s;
        for (const QByteArray &ocenki : {QByteArray("\"default\"\r\n"), QByteArray("\"new default\"\r\n")}) {
            m_data->write(u"Ocenki.dat"_s, ocenki);
            storage::fillDataFolder(folder, m_data->path());
            QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList({u"Ocenki.dat"_s, u"Predmeti.dat"_s}));
            QCOMPARE(readBytes(grades), "\"default\"\r\n");
#ifdef Q_OS_UNIX
            for (const QString &path : {folder, grades}) // nobody but the user reads or writes them
                QCOMPARE(QFileInfo(path).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
#endif
        }
        writeBytes(home.path() + u"/blocked"_s, "a file where the folder must be");
        const QString blocked = home.path() + u"/blocked/Tumbora"_s;
        const auto error = errorOf([&] { storage::fillDataFolder(blocked, m_data->path()); });
        QCOMPARE(error ? error->path() : u"no error"_s, QDir::toNativeSeparators(blocked));
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == keepSavingOption)
        keepSaving(arguments[2]);
    tst_Storage test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_storage.moc"
