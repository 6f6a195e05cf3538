#pragma once
// Reaches a control of a window or view from outside, as a rider finds it:
// by its name. Exactly one child of that type and name must exist; a
// missing or doubled name stops the test program with a message that names
// it, so a renamed control fails loudly instead of passing on a null.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdio>
#include <cstdlib>

template <class T>
T &Part(const QObject &owner, const QString &name)
{
    const QList<T *> found = owner.findChildren<T *>(name);
    if (found.size() != 1) {
        std::fprintf(stderr, "%s: %lld controls of type %s named \"%s\", not one\n",
                     qPrintable(owner.objectName()), static_cast<long long>(found.size()),
                     T::staticMetaObject.className(), qPrintable(name));
        std::fflush(stderr);
        std::abort();
    }
    return *found.front();
}

// The control named prefix + number ("WeekCB3", "Sum_Date_Image41").
template <class T>
T &Part(const QObject &owner, const QString &prefix, int number)
{
    return Part<T>(owner, prefix + QString::number(number));
}
