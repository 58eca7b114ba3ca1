// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The loop's instructions for equations, graph variables and the lists a
// sort or a matrix conversion takes: they move values between the stack
// and the graphing and list libraries.
#include "calc/basic/core/Vm.h"

#include "calc/basic/core/Maths.h"

namespace calc::basic
{

int Vm::graphOp(int op, const int *code, int ip, const Chunk *prog)
{
    switch (op) {
    case OpEquation: {
        const int key = code[ip], n = code[ip + 1];
        ip += 2;
        if (n == 0) {
            stack_.push_back(equation(c_, key, nullptr));
        } else {
            const Value at = pop();
            stack_.push_back(equation(c_, key, &at));
        }
        break;
    }
    case OpStoreEquation:
        storeEquation(c_, code[ip++], stack_.back());
        break;
    case OpGraph: {
        const int n = code[ip + 1];
        graphCommand(c_, code[ip], stack_.data() + stack_.size() - n, n, code[ip + 2], code[ip + 3],
                     prog);
        stack_.resize(stack_.size() - n);
        ip += 4;
        break;
    }
    case OpLoadGraphVar:
        stack_.push_back(Value::real(c_.graphing().vars[code[ip++]]));
        break;
    case OpStoreGraphVar:
        storeGraphVar(c_, code[ip++], stack_.back());
        break;
    default:
        break;
    }
    return ip;
}

int Vm::matrixListOp(int op, const int *code, int ip, const Chunk *prog)
{
    switch (op) {
    case OpSortWith:
        sortWith_.push_back({code[ip], code[ip + 1]});
        return ip + 2;
    case OpListToMatr: {
        // Columns from lists; shorter lists are padded with zeros.
        const int n = code[ip], key = code[ip + 1];
        if (n > 99)
            raise(Error::Argument);
        const Value *lists = stack_.data() + stack_.size() - n;
        int rows = 0;
        for (int i = 0; i < n; ++i)
            rows = std::max(rows, int(listOf(lists[i]).size()));
        if (rows > 99 || rows == 0)
            raise(Error::InvalidDim);
        Value m;
        m.kind = Value::Matrix;
        m.rows = rows;
        m.cols = n;
        m.items.fill(Number(), rows * n);
        for (int c = 0; c < n; ++c)
            for (int r = 0; r < lists[c].items.size(); ++r)
                m.items[r * n + c] = lists[c].items[r];
        c_.store(TVar, key, m, QString());
        stack_.resize(stack_.size() - n);
        return ip + 2;
    }
    case OpMatrToList: {
        // Column `col` of the matrix on the stack; lists beyond its columns are left alone.
        const int col = code[ip], kind = code[ip + 1], key = code[ip + 2];
        const Value &m = stack_.back();
        if (m.kind != Value::Matrix)
            raise(Error::DataType);
        if (col < m.cols) {
            QVector<Number> l(m.rows);
            for (int r = 0; r < m.rows; ++r)
                l[r] = m.items[r * m.cols + col];
            c_.store(kind, key, Value::list(l), kind == TNamed ? prog->names[key] : QString());
        }
        return ip + 3;
    }
    default:
        return ip;
    }
}

} // namespace calc::basic
