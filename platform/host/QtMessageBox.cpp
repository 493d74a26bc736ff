#include "QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace kelvo::host {

void QtMessageBox::ShowCritical(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

} // namespace kelvo::host
