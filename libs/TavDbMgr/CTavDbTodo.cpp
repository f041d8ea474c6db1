#include "CTavDbTodo.h"

#include "CTavDbEnv.h"

CTavDbTodo::CTavDbTodo() : CTavDbStoreBase("todo", &CTavDbEnv::GetPdtTodoDir, "todo.ldb", CTavDbTodoRecord::kColumns, kMaxRecords) {}
