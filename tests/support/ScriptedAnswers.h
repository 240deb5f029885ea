#pragma once

#include "engine/RuleQuestions.h"

#include <QList>
#include <QStringList>

// Answers the rules' questions from a script (then as Escape would) and records them.
class ScriptedAnswers : public RuleQuestions
{
public:
    int ask(const QString& message, const QString&, const QString&) override
    {
        asked.append(message);
        return answers.isEmpty() ? 2 : answers.takeFirst();
    }
    QList<int> answers;
    QStringList asked;
};
