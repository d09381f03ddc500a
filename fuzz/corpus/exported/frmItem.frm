VERSION 5.00
Begin {C62A69F0-16DC-11CE-9E98-00AA00574A4F} frmItem 
   Caption         =   "品目の入力"
   ClientHeight    =   2400
   ClientLeft      =   45
   ClientTop       =   375
   ClientWidth     =   4560
   StartUpPosition =   1  'オーナー フォームの中央
End
Attribute VB_Name = "frmItem"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False
Option Explicit

' 入力された品目をシートの末尾に追加する
Private Sub cmdOK_Click()
    Dim item As New clsItem
    item.Code = txtCode.Text
    Set item.Cell = Sheet1.Cells(Sheet1.Rows.Count, 3).End(xlUp).Offset(1, 0)
    item.Quantity = Val(txtQuantity.Text)
    Unload Me
End Sub

Private Sub cmdCancel_Click()
    Unload Me   ' 何もせずに閉じる
End Sub
