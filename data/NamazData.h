#pragma once
// The book's data components: the connection, and per view the stored-query
// table with its data source and the view query with its data source.

#include "data/Catalogue.h"

class QObject;
class TADOConnection;

class NamazData {
public:
    // Creates the components as children of `owner` and records them in the
    // catalogue's rows. Nothing is opened yet.
    NamazData(QObject* owner, Catalogue& catalogue);

    // Opens the connection, then view by view the stored query and the view
    // query. Each component that fails reports in the error box and loading
    // goes on with the next.
    void openAll();

    TADOConnection* connection() const { return ADOConnection1; }

private:
    TADOConnection* ADOConnection1;
    Catalogue& views;
};
