Attribute VB_Name = "modStock"
Option Explicit

' 在庫レコード（固定長、ランダム アクセス用）
Public Type StockRecord
    Code As String * 8
    Name As String * 32
    Quantity As Long
    Price As Currency
End Type

Public Enum StockStatus
    ssNormal = 0
    ssLow = 1       ' 残りわずか
    ssEmpty = 2
End Enum

Private mCount As Long

' 在庫ファイルを読み込んで Sheet1 に書き出す。読めた件数を返す
Public Function LoadStock(ByVal fileName As String) As Long
Attribute LoadStock.VB_Description = "Reads the stock file into Sheet1."
    Dim rec As StockRecord
    Dim fileNo As Integer
    Dim i As Long
    On Error GoTo Failed
    fileNo = FreeFile
    Open fileName For Random Access Read As #fileNo Len = Len(rec)
    mCount = LOF(fileNo) \ Len(rec)
    For i = 1 To mCount
        Get #fileNo, i, rec
        With Sheet1.Rows(i + 1)
            .Cells(1).Value = Trim$(rec.Code)
            .Cells(2).Value = Trim$(rec.Name)
            .Cells(3).Value = rec.Quantity
            .Cells(4).Value = StatusText(StatusOf(rec.Quantity, _
                                                  10))
        End With
    Next i
    Close #fileNo
    LoadStock = mCount
    Exit Function
Failed:
    MsgBox "在庫ファイルを読めません: " & Err.Description, _
           vbExclamation, _
           "在庫"
    LoadStock = -1
End Function

' 数量としきい値から在庫の状態を決める
Public Function StatusOf(ByVal quantity As Long, ByVal threshold As Long) As StockStatus
    Select Case quantity
        Case Is <= 0: StatusOf = ssEmpty
        Case Is < threshold: StatusOf = ssLow
        Case Else: StatusOf = ssNormal
    End Select
End Function
