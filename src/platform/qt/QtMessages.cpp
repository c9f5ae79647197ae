#include "platform/qt/QtMessages.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/QtText.h"

namespace korvell {

void QtMessages::show(std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::NoIcon, toQ(caption), toQ(text),
                    QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
    box.setObjectName("MessageBox");
    box.setDefaultButton(QMessageBox::Ok);
    ++m_open;
    box.exec();
    --m_open;
}

}  // namespace korvell
