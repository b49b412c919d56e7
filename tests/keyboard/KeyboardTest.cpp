#include "config/Settingsunit.h"
#include "dialogs/KeyboardLayout.h"
#include "dialogs/Myinputunit.h"
#include "support/TestProgram.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

const QString Symbols = QString::fromUtf8("[\"£$%/_*.()-\\=+{}!]:;@?#,|");

// The captions of the 26 letter keys, 'A' to 'Z'.
QString captions(const TMyInput& input)
{
    QString all;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        all += input.letterKey(QChar(letter))->text();
    return all;
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program.start(QByteArray("ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n"));
        input = std::make_unique<TMyInput>(program.main.get(), program.main->feedback());
    }
    QLineEdit& box() const { return *input->InputBox; }

    TestProgram program;
    std::unique_ptr<TMyInput> input;
};

// Answers the keyboard that opens next.
void whenKeyboardOpens(std::function<void(TMyInput&)> answer)
{
    whenModalOpens([answer] {
        auto* keyboard = qobject_cast<TMyInput*>(QApplication::activeModalWidget());
        ASSERT_TRUE(keyboard);
        answer(*keyboard);
    });
}

} // namespace

TEST_F(KeyboardTest, ShiftAndSymbolsSwitchTheLetterCaptions)
{
    EXPECT_EQ(captions(*input), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(input->ShiftBtn->text(), "ab");
    input->ShiftBtn->click();
    EXPECT_EQ(captions(*input), "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(input->ShiftBtn->text(), "AB");

    // Symbols keep the shift caption; shift then shows the case it names.
    input->SymbolBtn->click();
    EXPECT_EQ(captions(*input), Symbols);
    EXPECT_EQ(input->ShiftBtn->text(), "AB");
    input->ShiftBtn->click();
    EXPECT_EQ(captions(*input), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    input->SymbolBtn->click();
    input->ShiftBtn->click();
    EXPECT_EQ(captions(*input), "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(input->digitKey(0)->text(), "0");
    EXPECT_EQ(program.events(), QStringList(5, "sound:click.wav"));

    // Locked symbols only play the error sound.
    program.clearEvents();
    input->setSymbolKeys(SymbolKeys::Locked);
    input->SymbolBtn->click();
    EXPECT_EQ(input->shownLayout(), KeyboardLayout::Shown::LowerCase);
    EXPECT_EQ(program.events(), QStringList{"sound:error.wav"});
}

TEST_F(KeyboardTest, KeysTypeAtTheCaretAndAreSpokenWithPunctuationNames)
{
    input->letterKey('K')->click();
    input->SymbolBtn->click();
    input->letterKey('I')->click(); // "."
    box().setSelection(0, 1);
    input->digitKey(4)->click();
    input->SpaceBtn->click();
    EXPECT_EQ(box().text(), "4 .");
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:K", "sound:click.wav", "sound:click.wav",
                                             "speak:.", "sound:click.wav", "speak:4", "sound:click.wav"}));
    EXPECT_EQ(program.fakes.speech->punctuation, std::vector(3, SpeechEngine::Punctuation::Spoken));

    // The 81st character is not typed, but the key is still acknowledged.
    box().setText(QString(80, 'x'));
    program.clearEvents();
    input->digitKey(1)->click();
    EXPECT_EQ(box().text(), QString(80, 'x'));
    EXPECT_EQ(program.events(), (QStringList{"sound:click.wav", "speak:1"}));

    program.options().SpeechBtn->setChecked(false);
    box().clear();
    program.clearEvents();
    input->digitKey(2)->click();
    EXPECT_EQ(box().text(), "2");
    EXPECT_EQ(program.events(), QStringList{"sound:click.wav"});
}

TEST_F(KeyboardTest, DeleteRemovesTheLastCharacterWhereverTheCaretIs)
{
    input->DelBtn->click();
    EXPECT_TRUE(program.events().isEmpty()); // an empty box: not even a sound

    box().setText("ABC");
    box().setCursorPosition(1);
    input->DelBtn->click();
    EXPECT_EQ(box().text(), "AB");
    EXPECT_EQ(box().cursorPosition(), 2);
    EXPECT_EQ(program.events(), QStringList{"sound:click.wav"});

    // A character outside the basic plane goes whole.
    box().setText(QString::fromUtf8("A\xF0\x9F\x9A\x97"));
    input->DelBtn->click();
    EXPECT_EQ(box().text(), "A");
}

TEST_F(KeyboardTest, AskTextRefusesBlankTextAndReturnsTheRestUntrimmed)
{
    QStringList whileOpen;
    whenKeyboardOpens([&](TMyInput& keyboard) {
        whileOpen << keyboard.PromptDisp->text();
        keyboard.SpaceBtn->click();
        keyboard.SpaceBtn->click();
        program.clearEvents();
        keyboard.OkBtn->click();
        whileOpen << keyboard.InputBox->text() << program.events();
        keyboard.InputBox->setCursorPosition(1);
        keyboard.letterKey('A')->click();
        keyboard.OkBtn->click();
    });
    EXPECT_EQ(TMyInput::AskText(program.main.get(), program.main->feedback(), "Name?", QString(), SymbolKeys::Locked), " A ");
    EXPECT_EQ(whileOpen, (QStringList{"Name?", "  ", "sound:error.wav"}));
    // The keyboard was made for this one question: only the fixture's own is left.
    EXPECT_EQ(program.main->findChildren<TMyInput*>(), QList<TMyInput*>{input.get()});
}

TEST_F(KeyboardTest, CancelEmptiesTheBoxAndReturnsNothing)
{
    QStringList afterCancel;
    whenKeyboardOpens([&](TMyInput& keyboard) {
        // The caret starts after the initial text, with nothing selected.
        keyboard.letterKey('A')->click();
        afterCancel << keyboard.InputBox->text();
        keyboard.CancelBtn->click();
        afterCancel << keyboard.InputBox->text() << keyboard.PromptDisp->text();
    });
    EXPECT_EQ(TMyInput::AskText(program.main.get(), program.main->feedback(), "Command?", "ls", SymbolKeys::Allowed), std::nullopt);
    EXPECT_EQ(afterCancel, (QStringList{"lsA", "", ""}));
}

TEST_F(KeyboardTest, KeysAreFingerSizedInsideTheFrame)
{
    EXPECT_EQ(input->size(), QSize(694, 530));
    const QList<TouchButton*> keys = input->findChildren<TouchButton*>();
    EXPECT_EQ(keys.size(), 26 + 10 + 6);
    for (TouchButton* key : keys) {
        EXPECT_GE(key->height(), 57);
        EXPECT_GE(key->width(), 57);
        EXPECT_TRUE(input->rect().adjusted(10, 10, -10, -10).contains(key->geometry()));
        for (TouchButton* other : keys)
            EXPECT_TRUE(key == other || !key->geometry().intersects(other->geometry()));
    }
}
