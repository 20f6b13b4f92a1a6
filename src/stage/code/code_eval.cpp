#include "stage/code/code_eval.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "foundation/report.h"
#include "foundation/strings.h"
#include "stage/code/code_arith.h"
#include "stage/code/code_names.h"

namespace {

// Brackets nest at most this deep: a statement is one line of command data,
// and the limit keeps a malformed one from exhausting the stack.
constexpr int kMaxBracketDepth = 64;
constexpr int kUnlimitedLives = 999999;

// Leading digits with an optional sign, as atoi reads them; a word without
// digits is 0 and a number beyond the integer range stops at its end.
int ReadNumber(const std::string& word, std::size_t from) {
    std::size_t i = from;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
    std::int64_t v = 0;
    for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) {
        v = std::min<std::int64_t>(v * 10 + (word[i] - '0'), std::int64_t{1} << 32);
    }
    return SaturateToInt(negative ? -v : v);
}

// The ")" that closes the bracket opened before `from`, or npos.
std::size_t MatchingClose(const std::string& text, std::size_t from) {
    int depth = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        if (text[i] == ')' && depth-- == 0) return i;
    }
    return std::string::npos;
}

// The arguments between the brackets, split at commas outside inner brackets.
std::vector<std::string> SplitArguments(const std::string& inner) {
    std::vector<std::string> args(1);
    int depth = 0;
    for (char c : inner) {
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == ',' && depth == 0) {
            args.emplace_back();
            continue;
        }
        args.back() += c;
    }
    return args;
}

void Replace(std::string& text, std::size_t from, std::size_t last, int value) {
    std::string replaced;
    FormatString(replaced, "%s%d%s", text.substr(0, from).c_str(), value, text.substr(last + 1).c_str());
    text = std::move(replaced);
}

}  // namespace

// Kinds: constant, scope variable, character variable, system variable,
// operator. Only variables carry storage (an assignment target).
struct cCodeRun::Token {
    enum Kind : int { Constant = 0, ScopeVar, CharaVar, SystemVar, Operator };
    int nKind = Constant;
    int nValue = 0;
    int nOperator = 0;
    CodeRange range{};
    // The variable's number (its index for scope variables).
    int nVar = 0;
    int nScope = 0;
    int nObject = -1;
    bool HasStorage() const { return nKind == ScopeVar || nKind == CharaVar || nKind == SystemVar; }
};

int cCodeRun::Fail(const std::string& message) {
    m_Host.ShowCodeError(message);
    return FailSilently();
}

int cCodeRun::FailSilently() {
    m_bError = true;
    return 0;
}

int cCodeRun::EvalBrackets(const std::string& source) {
    if (m_bError) return 0;
    if (m_nDepth >= kMaxBracketDepth) {
        LogPrintf("code: brackets nested deeper than %d", kMaxBracketDepth);
        return FailSilently();
    }
    ++m_nDepth;
    std::string text = source;
    std::size_t wordStart = 0;
    for (std::size_t i = 0; i < text.size() && !m_bError;) {
        if (text[i] == ' ') {
            wordStart = ++i;
            continue;
        }
        if (text[i] != '(') {
            ++i;
            continue;
        }
        const std::string_view word = std::string_view(text).substr(wordStart, i - wordStart);
        std::size_t close = MatchingClose(text, i + 1);
        if (close == std::string::npos) {
            // An open call names its function, so the writer finds it.
            Fail(FindCodeFunction(word) >= 0
                     ? StrPrintf("関数 %.*s で\")\"が見つかりません！", static_cast<int>(word.size()), word.data())
                     : std::string("\")\"が見つかりません！"));
            break;
        }
        if (i == wordStart) {
            int value = EvalBrackets(text.substr(i + 1, close - i - 1));
            Replace(text, wordStart, close, value);
            i = wordStart;
        } else if (FindCodeFunction(word) >= 0) {
            if (CallFunction(text, wordStart, i, close)) i = wordStart;
        } else {
            ++i;  // an unknown name: the word stays and reads as a number
        }
    }
    --m_nDepth;
    if (m_bError) return 0;
    return EvalStatement(text);
}

// rand(a,b): a number between the two, in either order.
bool cCodeRun::CallFunction(std::string& text, std::size_t wordStart, std::size_t open, std::size_t close) {
    std::string name = text.substr(wordStart, open - wordStart);
    std::vector<int> values;
    for (const std::string& arg : SplitArguments(text.substr(open + 1, close - open - 1))) {
        if (arg.empty()) continue;
        values.push_back(EvalBrackets(arg));
        if (m_bError) return false;
    }
    if (values.size() != 2) {
        Fail(StrPrintf("関数 %s の引数が不正です！", name.c_str()));
        return false;
    }
    Replace(text, wordStart, close, RandomRange(values.front(), values.back()));
    return true;
}

bool cCodeRun::ReadCharaToken(int var, int object, Token& token) {
    if (object == CodeObject::Sys) return true;  // no character: the number 0, nothing to assign
    int value = 0;
    if (!m_Host.ReadCharaVar(object, var, value)) return FailSilently(), false;
    token.nKind = Token::CharaVar;
    token.nValue = value;
    token.nVar = var;
    token.nObject = object;
    token.range = CharaVarRange(var);
    if (var == CharaVar::Hp || var == CharaVar::Sp) {
        int maximum = 0;
        if (!m_Host.ReadCharaVar(object, var == CharaVar::Hp ? CharaVar::MaxHp : CharaVar::MaxSp, maximum)) {
            return FailSilently(), false;
        }
        token.range.nMax = std::max(maximum, 0);
    }
    return true;
}

bool cCodeRun::ReadToken(const std::string& word, int object, Token& token) {
    int op = FindCodeOperator(word);
    if (op >= 0) {
        token.nKind = Token::Operator;
        token.nOperator = op;
        return true;
    }
    if (!m_Host.HasObject(object)) return FailSilently(), false;
    if (word[0] == 'C' || word[0] == 'S') {
        token.nKind = Token::ScopeVar;
        token.nScope = word[0] == 'C' ? CodeScope::Common : CodeScope::Stage;
        token.nVar = ReadNumber(word, 1);
        if (!m_Host.ReadScopeVar(token.nScope, token.nVar, token.nValue)) {
            LogPrintf("code: variable %s does not exist", word.c_str());
            return FailSilently(), false;
        }
        return true;
    }
    int var = FindCharaVar(word);
    if (var >= 0) return ReadCharaToken(var, object, token);
    var = FindSystemVar(word);
    if (var >= 0) {
        token.nKind = Token::SystemVar;
        token.nVar = var;
        token.nValue = m_Host.ReadSystemVar(var);
        token.range = SystemVarRange(var);
        if (var == SystemVar::Life && token.nValue == kUnlimitedLives) {
            token.nValue = m_Host.CompatUnlimitedLives() ? 0 : 100;
            token.range = {kUnlimitedLives, kUnlimitedLives};
        }
        return true;
    }
    token.nValue = ReadNumber(word, 0);
    return true;
}

void cCodeRun::Store(const Token& target, int v) {
    switch (target.nKind) {
        case Token::ScopeVar: m_Host.WriteScopeVar(target.nScope, target.nVar, v); break;
        case Token::CharaVar: m_Host.WriteCharaVar(target.nObject, target.nVar, v); break;
        default: m_Host.WriteSystemVar(target.nVar, v); break;
    }
}

bool cCodeRun::Apply(Token& left, int op, const Token& right, const std::string& text, int& v) {
    int l = left.nValue, r = right.nValue;
    switch (op) {
        case CodeOperator::Multiply: v = SaturatingMul(l, r); return true;
        case CodeOperator::Add: v = WrappingAdd(l, r); return true;
        case CodeOperator::Subtract: v = WrappingSub(l, r); return true;
        case CodeOperator::Divide:
        case CodeOperator::Remainder:
            if (r == 0) return Fail(StrPrintf("0除算が行われました！(%s)", text.c_str())), false;
            v = op == CodeOperator::Divide ? TruncatingDiv(l, r) : TruncatingRem(l, r);
            return true;
        default:
            if (!left.HasStorage()) return Fail("代入先が不正です！"), false;
            v = std::clamp(r, left.range.nMin, std::max(left.range.nMin, left.range.nMax));
            Store(left, v);
            return true;
    }
}

int cCodeRun::EvalStatement(const std::string& text) {
    if (m_bError) return 0;
    std::vector<Token> tokens;
    int object = CodeObject::My;
    bool tokenSinceObject = false;
    int lastOperand = 0;
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        char c = i < text.size() ? text[i] : ' ';
        if (c == '.') {
            int found = FindCodeObject(word);
            if (found >= 0) {
                object = found;
            } else if (!tokenSinceObject) {
                return Fail(StrPrintf("オブジェクト \"%s.\" が認識できません！", word.c_str()));
            }
            word.clear();
            tokenSinceObject = false;
            continue;
        }
        if (c != ' ') {
            word += c;
            continue;
        }
        if (word.empty()) continue;
        Token token;
        if (!ReadToken(word, object, token)) return 0;
        if (token.nKind != Token::Operator) lastOperand = token.nValue;
        tokens.push_back(token);
        object = CodeObject::My;
        tokenSinceObject = true;
        word.clear();
    }

    const bool compatEval = m_Host.CompatCodeEval();
    bool operated = false;
    int v = 0;
    for (int level = 0; level < kCodeOperatorLevels; ++level) {
        for (;;) {
            auto op = std::find_if(tokens.begin(), tokens.end(), [level](const Token& t) {
                return t.nKind == Token::Operator && CodeOperatorLevel(t.nOperator) == level;
            });
            if (op == tokens.end()) break;
            if (op == tokens.begin() || op + 1 == tokens.end() || (op - 1)->nKind == Token::Operator ||
                (op + 1)->nKind == Token::Operator) {
                LogPrintf("code: an operator without an operand in \"%s\"", text.c_str());
                return FailSilently();
            }
            if (!Apply(*(op - 1), op->nOperator, *(op + 1), text, v)) return 0;
            operated = true;
            Token result;
            result.nValue = v;
            auto left = op - 1;
            auto next = tokens.erase(left, compatEval ? op + 1 : op + 2);
            tokens.insert(next, result);
        }
    }
    return operated ? v : lastOperand;
}

int ExecCode(const std::string& text, cCodeHost& host) {
    struct Watched {
        int nLife = 0, nSP = 0, nMaxLife = 0, nMaxSP = 0;
    };
    auto watch = [&host] {
        Watched w;
        host.ReadCharaVar(CodeObject::My, CharaVar::Hp, w.nLife);
        host.ReadCharaVar(CodeObject::My, CharaVar::Sp, w.nSP);
        host.ReadCharaVar(CodeObject::My, CharaVar::MaxHp, w.nMaxLife);
        host.ReadCharaVar(CodeObject::My, CharaVar::MaxSp, w.nMaxSP);
        return w;
    };
    Watched before = watch();
    cCodeRun run(host);
    run.EvalBrackets(text);
    if (run.Failed()) return 0;
    Watched after = watch();
    if (after.nLife != before.nLife && after.nMaxLife == before.nMaxLife) {
        host.StartLifeGauge(WrappingSub(after.nLife, before.nLife));
    }
    if (after.nSP != before.nSP && after.nMaxSP == before.nMaxSP) {
        host.StartSPGauge(WrappingSub(after.nSP, before.nSP));
    }
    return 1;
}
