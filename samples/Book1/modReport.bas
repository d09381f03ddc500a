Attribute VB_Name = "modReport"
Option Explicit

' 在庫金額の合計を表示する（行番号付きの昔ながらの書き方）
Public Sub ReportTotal()
10      Dim total As Currency
20      Dim r As Long
30      On Error GoTo 100
40      For r = 2 To Sheet1.Cells(Sheet1.Rows.Count, 1).End(xlUp).Row
50          total = total + Sheet1.Cells(r, 3).Value * Sheet1.Cells(r, 4).Value
60      Next r
70      MsgBox "合計金額: " & Format$(total, "#,##0"), vbInformation
80      Exit Sub
100     MsgBox "行 " & Erl & " でエラー: " & Err.Description
End Sub

Public Function StatusText(ByVal status As StockStatus) As String
    StatusText = Choose(status + 1, "通常", "残少", "欠品")
End Function
