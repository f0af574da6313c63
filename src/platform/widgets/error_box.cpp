#include "platform/widgets/error_box.h"

#include "platform/user_error.h"

#include <QApplication>
#include <QMessageBox>

#include <new>

void showErrorBox(QWidget* parent, const QString& message)
{
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), message);
}

bool runGuarded(QWidget* parent, const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const UserError& error) {
        showErrorBox(parent, error.message());
    } catch (const std::bad_alloc&) {
        showErrorBox(parent, QStringLiteral("Nicht genügend Arbeitsspeicher."));
    } catch (const std::exception& error) {
        showErrorBox(parent, QString::fromLocal8Bit(error.what()));
    }
    return false;
}
