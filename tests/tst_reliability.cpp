// Hostile data files at load, faults injected at save, and long runs of the windows.
// Unix only: faults come from fork, setrlimit, mkfifo and mount, which hold for root.
#include "windowtesting.h"

#include "app/programwindows.h"
#include "app/windowtable.h"
#include "storage/fileerror.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStorageInfo>

#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <malloc.h>
#include <sys/mount.h>
#endif
#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes(); // no header for it in GCC
#endif

using namespace Qt::StringLiterals;
using namespace windowtesting;
using storage::FileError;

namespace {

const QString Subjects = u"Predmeti.dat"_s;
const QString Grades = u"Ocenki.dat"_s;
const QString Monday = u"Ponedelnic.dat"_s;
const QStringList dayFiles = {Monday, u"Vtornic.dat"_s, u"Srqda.dat"_s, u"Chetvurtuk.dat"_s, u"Petuk.dat"_s};

// The texts a file holds at the start of every test.
QStringList startTexts(const QString &file)
{
    if (file == Subjects)
        return numbered(u"Предмет "_s, 15);
    if (file == Grades)
        return QStringList(15, u"5"_s);
    return numbered(file.left(3) + u" час "_s, 8);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Everything under a folder: each entry's kind, and a regular file's size and hash.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> state;
    QDirIterator entries(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo info(entries.next());
        QByteArray what = "special";
        if (info.isSymLink()) {
            what = "link to " + info.symLinkTarget().toUtf8();
        } else if (info.isDir()) {
            what = "folder";
        } else if (info.isFile()) {
            QFile file(info.filePath());
            QCryptographicHash hash(QCryptographicHash::Sha256);
            if (file.open(QIODevice::ReadOnly))
                hash.addData(&file);
            what = QByteArray::number(info.size()) + ' ' + hash.result().toHex();
        }
        state.insert(info.filePath(), what);
    }
    return state;
}

// Runs `work` in a forked child and returns its exit status; the child never returns.
int statusOfChild(const std::function<int()> &work)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work());
    int status = -1;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Heap bytes in use, or -1 where it cannot be told.
qint64 heapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return qint64(__sanitizer_get_current_allocated_bytes());
#elif defined(Q_OS_LINUX) && defined(__GLIBC__)
    return qint64(mallinfo2().uordblks);
#else
    return -1;
#endif
}

QtMessageHandler qtHandler = nullptr;

// The offscreen platform notes every raise() and size hint it cannot pass on.
void dropPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(u"This plugin does not support"_s))
        qtHandler(type, context, message);
}

} // namespace

class tst_Reliability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qtHandler = qInstallMessageHandler(dropPlatformNotes); }
    void init();
    void cleanup();

    void hostileFileAtLoad_data();
    void hostileFileAtLoad();
    void faultAtSave_data();
    void faultAtSave();

    void calculatorOpenedAndClosedOften();
    void gradeCountAndMeanOften();

private:
    QString dataPath(const QString &file) const { return QDir(m_app).filePath(file); }
    void writeDataFiles();
    bool mountSmallDisk();
    bool reportedOnce(const QString &file, int number) const;

    std::optional<QTemporaryDir> m_base;
    QString m_app; // the application folder, inside m_base
    bool m_mounted = false;
    std::optional<Messages> m_messages;
};

void tst_Reliability::init()
{
    m_base.emplace();
    QVERIFY(m_base->isValid());
    m_app = m_base->filePath(u"app"_s);
    QVERIFY(QDir().mkdir(m_app));
    m_messages.emplace();
}

void tst_Reliability::cleanup()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows << window;
    qDeleteAll(windows);
#ifdef Q_OS_LINUX
    if (m_mounted)
        ::umount2(QFile::encodeName(m_app).constData(), MNT_DETACH);
#endif
    m_mounted = false;
    m_messages.reset();
    m_base.reset();
}

void tst_Reliability::writeDataFiles()
{
    for (const QString &file : QStringList{Subjects, Grades} + dayFiles) {
        QFile out(dataPath(file));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(records(startTexts(file)));
    }
}

bool tst_Reliability::mountSmallDisk()
{
#ifdef Q_OS_LINUX
    m_mounted = ::mount("tmpfs", QFile::encodeName(m_app).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                        "size=256k")
                == 0;
#endif
    return m_mounted;
}

bool tst_Reliability::reportedOnce(const QString &file, int number) const
{
    if (m_messages->boxes.size() != 1)
        return false;
    const QString text = m_messages->boxes[0].text;
    return text.contains(QDir::toNativeSeparators(dataPath(file)))
           && text.contains(u"(грешка %1)"_s.arg(number));
}

// What still loads: bytes the code page leaves undefined (0x98 becomes U+0098 and is written
// back as 0x98), empty lines however they end, a missing final line end, anything after the
// last field a window needs. Broken: too few fields, a NUL byte, a field over 64 KiB, and
// anything but a regular file.
void tst_Reliability::hostileFileAtLoad_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("number"); // the error reported, or 0: the window loads

    const QList<std::pair<QString, int>> kinds = {
        {u"missing"_s, FileError::FileNotFound},
        {u"short"_s, FileError::InputPastEnd},
        {u"NUL bytes"_s, FileError::BrokenFile},
        {u"undefined code page byte"_s, 0},
        {u"only CRs"_s, 0},
        {u"no final line end"_s, 0},
        {u"100 MiB line"_s, FileError::BrokenFile},
        {u"link to an endless device"_s, FileError::PathFileAccess},
        {u"folder"_s, FileError::PathFileAccess},
        {u"named pipe"_s, FileError::PathFileAccess},
    };
    // The calculator's second file, and a day file read after the calculator opened.
    for (const QString &file : {Grades, u"Srqda.dat"_s}) {
        for (const auto &[kind, number] : kinds)
            QTest::addRow("%s: %s", qPrintable(file), qPrintable(kind)) << file << kind << number;
    }
}

void tst_Reliability::hostileFileAtLoad()
{
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QFETCH(int, number);

    writeDataFiles();
    const QString path = dataPath(file);
    const QByteArray good = fileBytes(path);
    const int fields = int(startTexts(file).size());
    QByteArray bytes;
    if (kind == u"short")
        bytes = good.left(good.indexOf('\n') + 1);
    else if (kind == u"NUL bytes")
        bytes = QByteArray(4096, '\0');
    else if (kind == u"undefined code page byte")
        bytes = QByteArray("\"\x98\"\r\n").repeated(fields);
    else if (kind == u"only CRs")
        bytes = QByteArray(100, '\r');
    else if (kind == u"no final line end")
        bytes = good.chopped(2);

    QVERIFY(QFile::remove(path));
    if (!bytes.isEmpty()) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    } else if (kind == u"100 MiB line") {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        const QByteArray mebibyte(1024 * 1024, 'x');
        for (int i = 0; i < 100; ++i)
            QCOMPARE(out.write(mebibyte), mebibyte.size());
    } else if (kind == u"link to an endless device") {
        QVERIFY(QFile::link(u"/dev/zero"_s, path));
    } else if (kind == u"folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == u"named pipe") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    const auto before = snapshot(m_base->path());

    WindowTable windows;
    programwindows::addTo(windows, m_app);
    const int entry = file == Grades ? programwindows::Calculator : programwindows::Timetable;
    QCOMPARE(windows.open(entry), number == 0);
    QCOMPARE(windows.window(entry) != nullptr, number == 0);
    if (number == 0)
        QVERIFY(m_messages->boxes.isEmpty());
    else
        QVERIFY2(reportedOnce(file, number), qPrintable(m_messages->boxes.value(0).text));
    QCOMPARE(snapshot(m_base->path()), before);
}

void tst_Reliability::faultAtSave_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("number"); // the error reported; 0 where the saving process is killed

    for (const QString &file : {Subjects, Grades, Monday}) {
        QTest::addRow("%s: folder takes its name", qPrintable(file)) << file << u"folder"_s
                                                                      << int(FileError::PathFileAccess);
        // The calculator writes the subjects first; a lost folder stops it there.
        if (file != Grades) {
            QTest::addRow("%s: application folder is a file", qPrintable(file))
                    << file << u"folder is a file"_s << int(FileError::PathNotFound);
            QTest::addRow("%s: no permission", qPrintable(file))
                    << file << u"no permission"_s << int(FileError::PermissionDenied);
        }
        QTest::addRow("%s: size limit", qPrintable(file)) << file << u"size limit"_s
                                                          << int(FileError::DiskFull);
        QTest::addRow("%s: full disk", qPrintable(file)) << file << u"full disk"_s
                                                         << int(FileError::DiskFull);
        QTest::addRow("%s: killed while saving", qPrintable(file)) << file << u"killed"_s << 0;
    }
}

void tst_Reliability::faultAtSave()
{
    QFETCH(QString, file);
    QFETCH(QString, fault);
    QFETCH(int, number);

    if (fault == u"full disk" && !mountSmallDisk())
        QSKIP("cannot mount a small tmpfs here (needs root and the right to mount)");
    writeDataFiles();

    WindowTable windows;
    programwindows::addTo(windows, m_app);
    const int entry = file == Monday ? programwindows::Timetable : programwindows::Calculator;
    QVERIFY(windows.open(entry));
    QWidget *window = windows.window(entry);
    QAbstractButton *save = child<QAbstractButton>(window, entry == programwindows::Timetable ? u"Command2"_s
                                                                                              : u"Command3"_s);
    // The named file's texts grow past every limit below; a calculator save also writes
    // the other file, with small new texts, so a half-done save shows in either.
    const QStringList files = entry == programwindows::Calculator ? QStringList{Subjects, Grades}
                                                                   : QStringList{file};
    QList<QLineEdit *> boxes;
    QStringList oldTexts;
    QStringList newTexts;
    QByteArrayList oldBytes;
    QByteArrayList newBytes;
    for (const QString &name : files) {
        const QStringList texts = startTexts(name);
        for (int i = 1; i <= texts.size(); ++i)
            boxes << child<QLineEdit>(window, (name == Grades ? u"o"_s : u"Text"_s) + QString::number(i));
        const QStringList grown = name == file ? QStringList(texts.size(), QString(2000, u'ж'))
                                               : numbered(u"нов "_s, int(texts.size()));
        oldTexts += texts;
        newTexts += grown;
        oldBytes << fileBytes(dataPath(name));
        newBytes << records(grown);
    }
    const auto show = [&boxes](const QStringList &texts) {
        for (qsizetype i = 0; i < boxes.size(); ++i)
            boxes[i]->setText(texts[i]);
    };
    const auto editsKept = [&] {
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            if (boxes[i]->text() != newTexts[i])
                return false;
        }
        return true;
    };
    show(newTexts);

    const QString path = dataPath(file);
    if (fault == u"killed") {
        const auto filesNow = [&] {
            QByteArrayList bytes;
            for (const QString &name : files)
                bytes << fileBytes(dataPath(name));
            return bytes;
        };
        // A save killed midway may leave its copies, "<name>.new" and "<name>[.new].XXXXXX",
        // beside the files.
        const QRegularExpression unfinishedCopy(u"\\.dat(\\.new|\\.new\\.[A-Za-z0-9]{6}|\\.[A-Za-z0-9]{6})$"_s);
        const auto others = [&] {
            auto state = snapshot(m_app);
            for (const QString &name : files)
                state.remove(dataPath(name));
            state.removeIf([&](auto entry) { return unfinishedCopy.match(entry.key()).hasMatch(); });
            return state;
        };
        // The instant between the two renames: the subjects of one save beside the grades
        // of the save before, and the grades' complete new copy beside them.
        // The moment between the two renames: the subjects of one save beside the grades of
        // the save before, the grades' complete new copy waiting beside them.
        const auto betweenRenames = [&](const QByteArrayList &now) {
            if (files.size() != 2)
                return false;
            const QByteArray waiting = fileBytes(dataPath(Grades + u".new"_s));
            return (now == QByteArrayList{newBytes[0], oldBytes[1]} && waiting == newBytes[1])
                   || (now == QByteArrayList{oldBytes[0], newBytes[1]} && waiting == oldBytes[1]);
        };
        const auto othersBefore = others();
        // Kills fall within six saves' time, so that some land after a save is complete
        // however slow the disk is today; saving the old texts leaves the files as they are.
        show(oldTexts);
        QElapsedTimer saving;
        saving.start();
        save->click();
        const quint32 killWithinUs = quint32(qMax<qint64>(20'000, 6 * saving.nsecsElapsed() / 1000));
        QCOMPARE(filesNow(), oldBytes);
        QRandomGenerator random(5);
        int oldSeen = 0;
        int newSeen = 0;
        int between = 0;
        for (int round = 0; round < 200; ++round) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                for (bool grown = true;; grown = !grown) {
                    show(grown ? newTexts : oldTexts);
                    save->click();
                }
            }
            ::usleep(random.bounded(killWithinUs));
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            const QByteArrayList now = filesNow();
            if (now == newBytes) {
                ++newSeen;
            } else if (betweenRenames(now)) {
                ++between;
            } else {
                QCOMPARE(now, oldBytes);
                ++oldSeen;
            }
        }
        qInfo("%d old, %d new, %d between the renames", oldSeen, newSeen, between);
        // The kills fell both before and after a save was complete.
        QVERIFY(oldSeen + between > 0 && newSeen > 0);
        QCOMPARE(others(), othersBefore);
        return;
    }

    if (fault == u"folder") {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
    } else if (fault == u"folder is a file") {
        QVERIFY(QDir().rename(m_app, m_app + u".moved"_s));
        QFile stone(m_app);
        QVERIFY(stone.open(QIODevice::WriteOnly));
        stone.write("not a folder");
    } else if (fault == u"full disk") {
        // Room for a small file but not for the grown one.
        QFile filler(dataPath(u"filler"_s));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const qint64 size = QStorageInfo(m_app).bytesAvailable() - 8 * 1024;
        QCOMPARE(filler.write(QByteArray(size, 'f')), size);
        filler.close();
        QCOMPARE(QStorageInfo(m_app).bytesAvailable(), 8 * 1024);
    }
    const auto before = snapshot(m_base->path());

    if (fault == u"no permission") {
        // The folder belongs to another user: root drops to "nobody" in the child.
        const bool root = ::getuid() == 0;
        QCOMPARE(::chmod(QFile::encodeName(m_base->path()).constData(), 0755), 0);
        QCOMPARE(::chmod(QFile::encodeName(m_app).constData(), root ? 0755 : 0555), 0);
        const int status = statusOfChild([&] {
            if (root && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                return 2;
            save->click();
            return reportedOnce(file, number) && editsKept() ? 0 : 1;
        });
        QCOMPARE(status, 0);
    } else if (fault == u"size limit") {
        const int status = statusOfChild([&] {
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 8 * 1024;
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
            ::setrlimit(RLIMIT_FSIZE, &limit);
            save->click();
            return reportedOnce(file, number) && editsKept() ? 0 : 1;
        });
        QCOMPARE(status, 0);
    } else {
        save->click();
        QVERIFY2(reportedOnce(file, number), qPrintable(m_messages->boxes.value(0).text));
        QVERIFY(editsKept());
    }
    QCOMPARE(snapshot(m_base->path()), before);
}

void tst_Reliability::calculatorOpenedAndClosedOften()
{
    writeDataFiles();
    WindowTable windows;
    programwindows::addTo(windows, m_app);
    QVERIFY(windows.open(programwindows::Timetable));
    QAction *openCalculator = child<QAction>(windows.window(programwindows::Timetable), u"mnuCalc"_s);

    qint64 heap = 0;
    qsizetype widgets = 0;
    for (int round = 0; round < 1000; ++round) {
        if (round == 500) { // after the caches have settled
            heap = heapInUse();
            widgets = QApplication::allWidgets().size();
        }
        child<QAbstractButton>(windows.window(programwindows::Calculator), u"Command1"_s)->click();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!windows.window(programwindows::Calculator));
        openCalculator->trigger();
        QVERIFY(windows.window(programwindows::Calculator));
    }
    QCOMPARE(QApplication::allWidgets().size(), widgets);
    QVERIFY2(heapInUse() - heap < 32 * 1024, qPrintable(u"heap grew by %1 bytes"_s.arg(heapInUse() - heap)));
    QVERIFY(m_messages->boxes.isEmpty());
}

void tst_Reliability::gradeCountAndMeanOften()
{
    writeDataFiles();
    WindowTable windows;
    programwindows::addTo(windows, m_app);
    QVERIFY(windows.open(programwindows::Calculator));
    QWidget *window = windows.window(programwindows::Calculator);
    auto *count = child<QComboBox>(window, u"Combo1"_s);
    auto *compute = child<QAbstractButton>(window, u"Command2"_s);

    qint64 heap = 0;
    for (int round = 0; round < 10000; ++round) {
        if (round == 100)
            heap = heapInUse();
        count->setCurrentIndex(14 - round % 15);
        compute->click();
    }
    QVERIFY2(heapInUse() - heap < 64 * 1024, qPrintable(u"heap grew by %1 bytes"_s.arg(heapInUse() - heap)));
    QVERIFY(m_messages->boxes.isEmpty());
    QVERIFY(!child<QLineEdit>(window, u"Res"_s)->text().isEmpty());
}

QTEST_MAIN(tst_Reliability)
#include "tst_reliability.moc"
