// Numbering, removal and undo when memory runs out part way: the failure is
// reported as the command's own and the editor keeps the user's text.
#include <functional>

#include "fixture.h"
#include "memory_budget.h"

namespace tallyman {
namespace {

using test::MemoryBudget;

class OutOfMemory : public test::EditorTest {
  protected:
    // Shows `text` (after `before`, when given), then runs `command` under
    // ever larger budgets until it gets through. Every time it fails, the
    // editor must still show `text`, with "Out of memory" reported as
    // `module`'s failure; when it gets through, it must show `result`. Gives
    // how many times it failed.
    int RunUntilItFits(const std::string& before, const std::string& text, const std::string& result,
                       const std::string& module, const std::function<void()>& command) {
        frmMain& form = frmMain::Get();
        int failed = 0;
        for (double budget = 65536; budget < 64e6; budget *= 1.3) {
            if (!before.empty()) form.txtDisplay.Text(before);
            form.txtDisplay.Text(text);
            const size_t boxes = user.MessageBoxes().size();
            {
                MemoryBudget limit(static_cast<size_t>(budget));
                command();
            }
            if (user.MessageBoxes().size() == boxes) {
                EXPECT_TRUE(Text() == result) << module << " with a budget of " << budget;
                return failed;
            }
            ++failed;
            const auto box = LastBox();
            EXPECT_TRUE(Text() == text) << (Text() == result ? "the result" : "another text")
                                        << " shown after " << box.Prompt;
            EXPECT_EQ(box.Prompt.rfind("Tallyman caused the following error in module '" + module +
                                           "':\r\rError Number = 7\rError Description = Out of memory\r",
                                       0),
                      0u)
                << box.Prompt;
            EXPECT_EQ(box.Title, "  Error  -  Out of memory");
            EXPECT_EQ(box.Style, 48);
            EXPECT_EQ(rt::Err().Number, 0);
            EXPECT_FALSE(form.Running());
        }
        ADD_FAILURE() << module << " never got through";
        return failed;
    }
};

TEST_F(OutOfMemory, CommandsReportItAndKeepTheText) {
    frmMain& form = Start();
    std::string text, numbered, stripped;
    for (int i = 1; i <= 3000; ++i) {
        const std::string line = "Debug.Print " + std::to_string(i);
        text += (i > 1 ? "\r\n" : "") + line;
        numbered += std::to_string(10 * i) + "  " + line + "\r\n";
        stripped += " " + line + "\r\n";
    }
    EXPECT_GT(RunUntilItFits("", text, numbered, "NumberLines", [&] { form.NumberLines(10, 2, false); }), 5);
    // The widest number, 30000, indents the empty line the run adds.
    EXPECT_GT(RunUntilItFits("", numbered, stripped + "     \r\n", "RemoveNumbers",
                             [&] { form.RemoveNumbers(); }),
              5);
    EXPECT_GT(RunUntilItFits(text, numbered, text, "MyUndo", [&] { form.mnuEditUndo_Click(); }), 2);

    // The history is whole: one more step back shows the text before.
    form.txtDisplay.Text("x");
    form.txtDisplay.Text("y");
    form.mnuEditUndo_Click();
    EXPECT_EQ(Text(), "x");
    form.NumberLines(5, 1, false);
    EXPECT_EQ(Text(), "5 x\r\n");
    form.mnuEditUndo_Click();
    EXPECT_EQ(Text(), "x");
}

} // namespace
} // namespace tallyman
