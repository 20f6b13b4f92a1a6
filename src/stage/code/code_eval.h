#pragma once
// The code-execution language: one statement of integer words separated by
// blanks, with the operators = + - * / %, brackets and rand(a,b), read and
// written through a cCodeHost.
#include <string>

#include "stage/code/code_host.h"

// One evaluation of a statement. The error flag is set by every error that
// stops the statement; an evaluation after an error yields 0.
class cCodeRun {
public:
    explicit cCodeRun(cCodeHost& host) : m_Host(host) {}

    // Resolves brackets and function calls, then evaluates the remainder.
    int EvalBrackets(const std::string& text);
    // Evaluates a statement without brackets.
    int EvalStatement(const std::string& text);
    bool Failed() const { return m_bError; }

private:
    struct Token;
    int Fail(const std::string& message);
    int FailSilently();
    bool ReadToken(const std::string& word, int object, Token& token);
    bool ReadCharaToken(int var, int object, Token& token);
    bool Apply(Token& left, int op, const Token& right, const std::string& text, int& v);
    void Store(const Token& target, int v);
    bool CallFunction(std::string& text, std::size_t wordStart, std::size_t open, std::size_t close);

    cCodeHost& m_Host;
    bool m_bError = false;
    int m_nDepth = 0;
};

// Runs a statement for the host's running character: 1 when it ran, 0 when
// an error stopped it. A change of the running character's life or SP (its
// maximum unchanged) shows the gauge.
int ExecCode(const std::string& text, cCodeHost& host);
