#pragma once

#include <QString>

// The questions the rules put to the user. The window answers them with its two-button
// dialog; tests answer them from a script; the headless report answers as Escape does.
class RuleQuestions
{
public:
    virtual ~RuleQuestions() = default;

    // 1 for the first button, 2 for the second button or Escape.
    virtual int ask(const QString& message, const QString& first, const QString& second) = 0;
};

// Answers every question as Escape would.
class EscapeAnswers : public RuleQuestions
{
public:
    int ask(const QString&, const QString&, const QString&) override { return 2; }
};
