// The settings file: the default file byte for byte, what a save writes,
// the conversions of the reader, and its recovery.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "records/formats/SettingsStore.h"

using settings::Values;

namespace {
std::string DefaultText() {
    std::string t =
        " 2955 \r\n 1560 \r\nTrue\r\n 9905 \r\n 7200 \r\nTrue\r\n 11530 \r\n 1560 \r\nTrue\r\n 9905 \r\n"
        " 1560 \r\nTrue\r\ngravlok-music...\r\n...\r\nTrue\r\n-800 \r\n 18600 \r\n";
    for (int i = 0; i < 10; ++i) t += "...\r\nTrue\r\n 0 \r\n 32000 \r\n";
    return t + " 0 \r\n 1 \r\n";
}

std::vector<std::string> Lines(const std::string& t) {
    std::vector<std::string> out;
    size_t s = 0;
    for (size_t i; (i = t.find("\r\n", s)) != std::string::npos; s = i + 2) out.push_back(t.substr(s, i - s));
    return out;
}

std::string Join(const std::vector<std::string>& l) {
    std::string t;
    for (const auto& x : l) t += x + "\r\n";
    return t;
}

QByteArray FileIn(const QString& dir) {
    QFile f(QDir(dir).filePath("GMirvax.ini"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

// The settings file of `dir` made of these lines.
void PutLines(const QString& dir, const std::vector<std::string>& lines) {
    QFile f(QDir(dir).filePath("GMirvax.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Join(lines).c_str());
}

TEST(SettingsText, TheDefaultFileHas59LinesByteForByte) {
    const std::string t = settings::Format(settings::Defaults());
    EXPECT_EQ(t, DefaultText());
    EXPECT_EQ(Lines(t).size(), 59u);
    QTemporaryDir d;
    ASSERT_TRUE(settings::WriteDefaultSettings(d.path()));
    EXPECT_EQ(FileIn(d.path()).toStdString(), DefaultText());
}

TEST(SettingsText, ASaveWritesHiddenWindowsAsOneLineAndFullPaths) {
    auto v = settings::Parse(DefaultText(), "/opt/Игра");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->PathToBkgMusic, "/opt/Игра/Sound/bkgmusic.WAV");
    EXPECT_EQ(v->channels[settings::Left1].path, "/opt/Игра/sound/left1.WAV");
    EXPECT_EQ(v->channels[settings::Inverse1].path, "/opt/Игра/sound/inverse1.WAV");
    v->stat.shown = false;
    v->VolumeBkgMusic = -1500;
    const std::vector<std::string> l = Lines(settings::Format(*v));
    ASSERT_EQ(l.size(), 57u);
    EXPECT_EQ(l[5], "False");  // the statistic window: one line
    EXPECT_EQ(l[6], "True");   // then the future window's visibility
    EXPECT_EQ(l[7], " 9905 ");
    EXPECT_EQ(l[11], "/opt/Игра/Sound/bkgmusic.WAV");
    EXPECT_EQ(l[13], "-1500 ");
    EXPECT_EQ(l[15], "/opt/Игра/sound/left1.WAV");
    // What is written reads back the same.
    EXPECT_EQ(settings::Parse(settings::Format(*v), "/elsewhere"), v);
}

TEST(SettingsConversions, BooleansNumbersAndTheirRanges) {
    EXPECT_EQ(settings::Boolean("true"), true);
    EXPECT_EQ(settings::Boolean("FALSE"), false);
    EXPECT_EQ(settings::Boolean("-1"), true);
    EXPECT_EQ(settings::Boolean(" 0 "), false);
    EXPECT_EQ(settings::Boolean("yes"), std::nullopt);
    EXPECT_EQ(settings::Boolean(""), std::nullopt);
    EXPECT_EQ(settings::StrictNumber(" 11530 "), 11530);
    EXPECT_EQ(settings::StrictNumber("1560,5"), 1560.5);
    EXPECT_EQ(settings::StrictNumber("12abc"), std::nullopt);
    EXPECT_EQ(settings::StrictNumber("abc"), std::nullopt);
    EXPECT_EQ(settings::LenientPosition("2955,5"), 2955.5);
    EXPECT_EQ(settings::LenientPosition("abc"), 0);
    EXPECT_EQ(settings::Int16("32767"), 32767);
    EXPECT_EQ(settings::Int16("32768"), std::nullopt);
    EXPECT_EQ(settings::Int16("-32768.4"), -32768);
    EXPECT_EQ(settings::Int16("2.5"), 2);  // half to even
    EXPECT_EQ(settings::Int16("3.5"), 4);
    EXPECT_EQ(settings::Int32("2147483648"), std::nullopt);
    EXPECT_EQ(settings::Int32("-2147483648"), INT32_MIN);
    EXPECT_EQ(settings::UInt8("255"), 255);
    EXPECT_EQ(settings::UInt8("256"), std::nullopt);
    EXPECT_EQ(settings::UInt8("-1"), std::nullopt);
    EXPECT_EQ(settings::NumberLine(1560), " 1560 ");
    EXPECT_EQ(settings::NumberLine(-800), "-800 ");
}

TEST(SettingsConversions, WhichBadLinesFailTheFile) {
    std::vector<std::string> l = Lines(DefaultText());
    l[0] = "abc";  // the main window's left edge is lenient
    auto v = settings::Parse(Join(l), "/g");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->mainLeft, 0);
    l = Lines(DefaultText());
    l[6] = "abc";  // the statistic window's left edge is strict
    EXPECT_FALSE(settings::Parse(Join(l), "/g"));
    l = Lines(DefaultText());
    l.resize(40);  // the file ends early
    EXPECT_FALSE(settings::Parse(Join(l), "/g"));
    for (auto [line, text] : std::initializer_list<std::pair<size_t, const char*>>{
             {15, "40000"}, {16, "9999999999"}, {58, "300"}, {2, "maybe"}, {18, "yes"}}) {
        l = Lines(DefaultText());
        l[line] = text;
        EXPECT_FALSE(settings::Parse(Join(l), "/g")) << line << " " << text;
    }
    // Lines after the last value are not read; LF-only files read too.
    std::string lf = DefaultText() + "extra\r\n";
    EXPECT_TRUE(settings::Parse(lf, "/g"));
    for (size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.replace(p, 2, "\n");
    EXPECT_TRUE(settings::Parse(lf, "/g"));
}

TEST(SettingsStore, MissingAndBadFilesGiveTheDefaultFile) {
    QTemporaryDir d;
    Values v = settings::Load(d.path(), d.path());
    EXPECT_EQ(FileIn(d.path()).toStdString(), DefaultText());
    EXPECT_EQ(v.PathToBkgMusic, (d.path() + "/Sound/bkgmusic.WAV").toStdString());

    std::vector<std::string> l = Lines(DefaultText());
    l[15] = "-1500 ";
    PutLines(d.path(), l);
    v = settings::Load(d.path(), d.path());
    EXPECT_EQ(v.VolumeBkgMusic, -1500);
    ASSERT_TRUE(settings::Save(d.path(), v));
    EXPECT_EQ(Lines(FileIn(d.path()).toStdString())[15], "-1500 ");  // written back unchanged

    l[6] = "abc";
    PutLines(d.path(), l);
    v = settings::Load(d.path(), d.path());
    EXPECT_EQ(v.VolumeBkgMusic, -800);  // all the defaults
    EXPECT_EQ(FileIn(d.path()).toStdString(), DefaultText());
}

TEST(SettingsStore, AFolderThatCannotBeWrittenStillGivesDefaults) {
    QTemporaryDir d;
    const QString notADir = QDir(d.path()).filePath("plain");
    QFile f(notADir);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const Values v = settings::Load(notADir, notADir);
    EXPECT_EQ(v.VolumeBkgMusic, -800);
    EXPECT_EQ(v.channels[settings::Down2].path, (notADir + "/sound/down2.WAV").toStdString());
    EXPECT_FALSE(settings::Save(notADir, v));
}

// Files kept in the player's data folder: the settings standing in the
// program folder are the starting ones, and are copied there as they are.
TEST(SettingsStore, TheProgramFoldersSettingsStartTheDataFolders) {
    QTemporaryDir program, data;
    std::vector<std::string> l = Lines(DefaultText());
    l[15] = "-1500 ";
    PutLines(program.path(), l);
    const Values v = settings::Load(data.path(), program.path());
    EXPECT_EQ(v.VolumeBkgMusic, -1500);
    EXPECT_EQ(v.PathToBkgMusic, (program.path() + "/Sound/bkgmusic.WAV").toStdString());
    EXPECT_EQ(FileIn(data.path()).toStdString(), Join(l));
    EXPECT_EQ(FileIn(program.path()).toStdString(), Join(l));  // the program folder's file stays
}
