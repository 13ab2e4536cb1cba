#pragma once

#include "core/validation.h"

#include <QString>
#include <QVector>
#include <memory>

class Batch;
class DbError;
class NamedQuery;

// The central look-ups of the operation checks (plate already stored,
// sticker already replaced, regulator not catalogued) travel with the save:
// the checks first run on the answers of an operation that meets none of
// them, and the save's exchange starts with the look-ups and a guard that
// stops it on the server unless every answer is that one. "Aceptar" then
// costs one round trip; when the guard stops the save, the real answers
// came back in the same exchange and the checks run again on them.
class CheckLookups
{
public:
    CheckLookups();
    ~CheckLookups();
    CheckLookups(const CheckLookups &) = delete;
    CheckLookups &operator=(const CheckLookups &) = delete;

    // Answers as for an operation that meets none of the look-ups; every
    // question is kept for the guard.
    Validation::Lookups expected();
    bool anyAsked() const;

    // Puts the questions asked and the guard into `b`, ahead of what follows.
    void addTo(Batch &b);
    // The error of a batch that addTo filled: the guard stopped it.
    bool stoppedBy(const DbError &e) const;
    // Reads the answers alone (one exchange); after a stopped batch they are known already.
    void read();
    // The server's answers to the questions asked; the questions not asked
    // yet are read one by one.
    Validation::Lookups actual();

private:
    struct Question;
    NamedQuery &statementOf(Question &q, int index);
    NamedQuery &guard();
    QVector<Question> m_questions;
    bool m_answered = false;
};
