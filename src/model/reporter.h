#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// How the core tells the user things. The window shows status texts in the second panel of
// its status bar and the rest in message boxes; the command-line tool writes to stderr;
// tests record everything.
class Reporter {
public:
    virtual ~Reporter() = default;
    // The one-sentence status message of a command ("Fitting all graphics...").
    virtual void status(std::string_view text) = 0;
    // Message boxes with an OK button.
    virtual void information(std::string_view text) = 0;
    virtual void warning(std::string_view text) = 0;
    virtual void error(std::string_view text) = 0;
    // A Yes/No question without an icon; true on Yes.
    virtual bool confirm(std::string_view text) = 0;
};

// Says nothing and answers every question with Yes.
class NullReporter : public Reporter {
public:
    void status(std::string_view) override {}
    void information(std::string_view) override {}
    void warning(std::string_view) override {}
    void error(std::string_view) override {}
    bool confirm(std::string_view) override { return true; }
};

// Keeps the messages of a job that runs on a worker thread, where no box may open, so that
// the window thread can show them in order once the job is done. A question cannot wait for
// the user there: it is kept, and answered No, the answer that changes nothing.
class DeferredReporter : public Reporter {
public:
    void status(std::string_view text) override { add(&Reporter::status, text); }
    void information(std::string_view text) override { add(&Reporter::information, text); }
    void warning(std::string_view text) override { add(&Reporter::warning, text); }
    void error(std::string_view text) override { add(&Reporter::error, text); }
    bool confirm(std::string_view text) override {
        m_messages.push_back({nullptr, std::string(text)});
        return false;
    }

    // Shows the kept messages through `to` (questions as information) and forgets them.
    void replay(Reporter& to) {
        for (const Message& message : m_messages) {
            if (message.show != nullptr)
                (to.*message.show)(message.text);
            else
                to.information(message.text);
        }
        m_messages.clear();
    }
    bool empty() const { return m_messages.empty(); }
    void clear() { m_messages.clear(); }

private:
    using Show = void (Reporter::*)(std::string_view);
    struct Message {
        Show show; // null for a question
        std::string text;
    };
    void add(Show show, std::string_view text) { m_messages.push_back({show, std::string(text)}); }

    std::vector<Message> m_messages;
};

// Keeps every message, in order, as "kind: text" (kinds: status, information, warning,
// error, confirm), and answers questions from a script (Yes when the script is empty).
class RecordingReporter : public Reporter {
public:
    std::vector<std::string> messages;
    std::vector<bool> answers;

    void status(std::string_view text) override { add("status", text); }
    void information(std::string_view text) override { add("information", text); }
    void warning(std::string_view text) override { add("warning", text); }
    void error(std::string_view text) override { add("error", text); }
    bool confirm(std::string_view text) override {
        add("confirm", text);
        if (answers.empty())
            return true;
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    // The last status text, or "" when there was none.
    std::string lastStatus() const {
        for (auto it = messages.rbegin(); it != messages.rend(); ++it)
            if (it->rfind("status: ", 0) == 0)
                return it->substr(8);
        return {};
    }

private:
    void add(const char* kind, std::string_view text) {
        messages.push_back(std::string(kind) + ": " + std::string(text));
    }
};

} // namespace korvix
