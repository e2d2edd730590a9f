#include "platform/code_page.h"

#include <gtest/gtest.h>

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

} // namespace
