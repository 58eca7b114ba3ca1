// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What goes over the cable carries the document's calculator model: the
// file handed to the link is the export's, with the model's product id.
#include "calc/CalcFile.h"
#include "calcfiles/CalcExport.h"
#include "calcfiles/CalcTransfer.h"
#include "common/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace models = calc::models;

class TstSendModel : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void documentModelIsSent_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("none chosen") << int(models::Model::None);
        QTest::newRow("TI-84 Plus") << int(models::Model::Ti84Plus);
        QTest::newRow("TI-84 Plus CE") << int(models::Model::Ti84PlusCE);
    }
    void documentModelIsSent()
    {
        QFETCH(int, model);
        const QString path = m_dir.filePath(QStringLiteral("prog%1.tvf").arg(model));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(calcfiles::calcexport::documentOf(
            QStringLiteral("Disp 1"), calcfiles::calcexport::withModel({}, models::Model(model))));
        f.close();
        QByteArray file;
        QString error;
        QVERIFY2(calcfiles::calctransfer::programFile(path, QString(), &file, &error),
                 qPrintable(error));
        const calc::calcfile::Read read = calc::calcfile::read(file);
        QVERIFY2(read.ok(), qPrintable(read.error));
        // Without a model the file is the one the export always wrote.
        const models::Model expected = model == int(models::Model::None)
                                           ? models::fromProductId(read.program.productId)
                                           : models::Model(model);
        QCOMPARE(int(read.program.model), int(expected));
        if (model != int(models::Model::None))
            QCOMPARE(read.program.productId, models::productId(models::Model(model)));
    }
};

TORVANE_TEST(TstSendModel);
#include "tst_sendmodel.moc"
