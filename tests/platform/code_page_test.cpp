#include "platform/code_page.h"
#include "platform/regular_file.h"
#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace {

TEST(CodePage, KeepsWhatWindows1252Holds)
{
    const QString text = QString::fromUtf8("Février Août Noël œuvre € „“” — ÿ Ÿ");
    EXPECT_EQ(platform::ToCodePageAndBack(text), text);
    EXPECT_EQ(platform::ToCodePage(QString::fromUtf8("é€")), QByteArray("\xE9\x80"));
    EXPECT_EQ(platform::FromCodePage("D\xE9"
                                     "cembre"),
              QString::fromUtf8("Décembre"));
}

TEST(CodePage, ReplacesOtherCharactersWithOneQuestionMarkEach)
{
    EXPECT_EQ(platform::ToCodePageAndBack(QString::fromUtf8("Łódź ☺ 😀!")), QStringLiteral("?\xF3"
                                                                                          "d? ? ?!"));
    EXPECT_EQ(platform::ToCodePageAndBack(QString()), QString());
}

// Outside texts: UTF-8 stays as it is; anything else is a French spreadsheet's Windows-1252.
TEST(TextEncoding, ConvertsOnlyWhatIsNotUtf8)
{
    std::string utf8 = "Fête – 10 €";
    EXPECT_FALSE(platform::ConvertToUtf8(utf8));
    EXPECT_EQ(utf8, "Fête – 10 €");
    std::string windows = "F\xEAte \x96 10 \x80 l\x92\xE9t\xE9";
    EXPECT_TRUE(platform::ConvertToUtf8(windows));
    EXPECT_EQ(windows, "Fête – 10 € l’été");
    // Overlong, surrogate, cut and out-of-range sequences are not UTF-8.
    for (const char *bad : {"\xC0\xAF", "\xED\xA0\x80", "ab\xC3", "\xF4\x90\x80\x80", "\xFF"})
        EXPECT_FALSE(platform::IsValidUtf8(bad)) << bad;
    EXPECT_TRUE(platform::IsValidUtf8("\xEF\xBB\xBF\xF0\x9F\x98\x80"));
}

TEST(RegularFile, RefusesFoldersAndFifosAtOnceAndKeepsTheLimit)
{
    const std::string folder = testing::TempDir() + "regular-file-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    const std::string fifo = folder + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(platform::ReadRegularFile(fifo, 100).problem, platform::FileProblem::NotRegular);
    EXPECT_EQ(platform::ReadRegularFile(folder, 100).problem, platform::FileProblem::Folder);
    EXPECT_EQ(platform::ReadRegularFile(folder + "/none", 100).problem, platform::FileProblem::Missing);
    const std::string file = folder + "/ten";
    std::ofstream(file) << "0123456789";
    EXPECT_EQ(platform::ReadRegularFile(file, 10).bytes, "0123456789");
    EXPECT_EQ(platform::ReadRegularFile(file, 9).problem, platform::FileProblem::TooLarge);
    std::filesystem::remove_all(folder);
}

} // namespace
